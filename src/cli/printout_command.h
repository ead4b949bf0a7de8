#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// printout RACE.ravik --stage N --id ID [--answers] [--pdf FILE] [--portrait] [--zoom Z]:
// the competitor's result printout written as a PDF through the printer path.
int printoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
