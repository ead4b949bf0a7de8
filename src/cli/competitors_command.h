#pragma once
// ravik-cli competitors: the competitor table without the window: list it, sort
// it as the window's pop-up sorts do, set one cell, mark a disqualification.
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

int competitorsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
