#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// printout RACE.ravik --stage N --id ID [--answers] [--pdf FILE] [--portrait] [--zoom Z]
// [--layout a4|80|58]: the competitor's result printout written as a PDF through the
// printer path, on an A4 sheet or a receipt roll.
int printoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
