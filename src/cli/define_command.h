#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// define RACE.ravik FILE.json: writes stage headers and class definitions from a
// JSON description (see setup/race_definition.h). A description that is not
// valid, or a value that does not fit its field, is refused with a message naming
// the place, and the race file is left unchanged.
int defineCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
