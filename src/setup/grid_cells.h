#pragma once
// What the class editor does to its grids when the user leaves them.
#include "setup/class_editor_view.h"

#include <string>
#include <string_view>

namespace ravik {

// ASCII letters to upper case; other bytes stay (answers and flags are A..Z).
std::string upperCased(std::string_view text);

// Leaving XStringGrid1: every cell of columns 1 to 10 in upper case.
void upperCaseClusterCells(ClassEditorView& view);

// Leaving XStringGrid2 or XStringGrid3: every cell of columns 1 to 9 in upper
// case, then a lone "B".."F" in the flags column becomes "A-B".."A-F". The two
// grids are rows 0..19 and 20..39 of the view; firstRow picks one of them.
void normaliseControlCells(ClassEditorView& view, int firstRow, int rowCount = kControlGridRows);

// A flags cell after leaving the grid ("c" gives "A-C", "a" gives "A").
std::string normalisedFlags(std::string_view cell);

} // namespace ravik
