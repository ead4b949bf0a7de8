#pragma once
// A generated page made fit for paper: what only a screen needs (the refresh,
// the rolling script, the leaders block held at the top and its spacer, the
// 3000-pixel frame table) is left out, each table's heading rows are marked as
// its heading so that every page repeats them, and the statistics page's bars
// become pictures the PDF renderer draws. Plain text work: the page stays code
// page 1250 and is never written back.
#include <string>

namespace ravik {

// The picture source a bar of the given colour ("22AA22") becomes.
inline constexpr const char* kBarImageScheme = "ravik-bar:";

std::string paperHtml(const std::string& page);

} // namespace ravik
