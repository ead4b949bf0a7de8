#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// station --port PORT --log FILE [--race RACE.ravik --stage N] [--lang CZE|GBR]:
// reads cards from the master station until interrupted, appends each to the
// SI log and prints one line per card; with a race, runs the read-out pass
// after each card. station --list: the serial ports, SportIdent stations marked.
int stationCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
