#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] [--lang CZE|GBR]:
// one read-out pass with the competitor file as the table; prints the log lines
// and writes the new punch files into the stage folder.
int readoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
