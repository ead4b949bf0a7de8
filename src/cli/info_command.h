#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// info RACE.ravik: the stage count, each stage's date, place, zero time and
// class names (UTF-8, one per line), and the number of competitors.
int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
