#pragma once
// The fixed-column text import: one competitor per line (code page 1250), fields
// at fixed character positions, merged into the table by name.
#include "core/competitor_table.h"
#include "core/language.h"
#include "entries/entry_merge.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravik {

class Log;

// The fields of one line (positions 1-7 registration, 9-18 class, 19-29 card,
// 31-57 name, 59-61 country, 63-69 start number, 71-74 relay).
ImportedCompetitor parseFixedColumnLine(std::string_view line);

// The lines of the text box: split at line ends (CR LF, LF or CR); a final line
// end does not start another line.
std::vector<std::string_view> textBoxLines(std::string_view text);

// The text of a fixed-column file in code page 1250. A file that starts with the
// UTF-8 byte-order mark, or is well-formed UTF-8 holding bytes above 127, is UTF-8
// (what current editors save) and is converted; any other is code page 1250.
std::string fixedColumnFileText(std::string_view bytes);

// Imports every line of the text into stage `stage` (1..5); the caller saves the
// table. Competitors that no longer fit the table are counted in one log line.
// Returns the class cells of the rows added, in order.
std::vector<std::string> importFixedColumnText(CompetitorTable& table, std::string_view text, int stage,
                                               Language language, Log& log);

} // namespace ravik
