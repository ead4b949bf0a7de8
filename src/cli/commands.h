#pragma once
// The command table of ravik-cli. Each command prints its result to `out`.
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
