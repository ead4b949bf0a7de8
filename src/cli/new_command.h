#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// new RACE [--stages N]: creates the race file with N empty stages (1 to 5,
// default 1) and its stage folders, and prints the race path. ".ravik" is
// appended unless the name already ends in it; an existing file is not replaced.
int newCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
