#pragma once
// Automatic numbering of the SportIdent stations ("Sport Ident" button).
#include "setup/class_editor_view.h"

#include <string_view>

namespace ravik {

// The code after `code`: code + 1, skipping 66, 68, 86, 89, 98 and 99, which
// read ambiguously upside down on a station.
long long nextStationCode(long long code);

// Number of flags of a flags text: "A" 1, "A-B" 2 .. "A-F" 6, anything else 0.
int flagCount(std::string_view flags);

// Clears the seven code cells of all forty controls and numbers them from
// `firstCode`: the first flagCount answer columns, then Z when the flags cell is
// not empty. Only the grid cells change.
void numberStations(ClassEditorView& view, long long firstCode);

} // namespace ravik
