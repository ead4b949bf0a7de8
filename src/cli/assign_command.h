#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// assign RACE.ravik --card N --id ID --stage N --log FILE [--date YYYY-MM-DD] [--lang CZE|GBR]:
// gives an unassigned card to a competitor (his SI cell, saved), then runs the
// read-out pass so that his punch file is written.
int assignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
