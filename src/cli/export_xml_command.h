#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// export-xml RACE.ravik --kind preo|tempo|startlist|overall|relay ...: writes an
// IOF XML 3.0 file beside the race file and prints its path. preo and tempo are
// the stage's result lists; startlist the stage's start list; overall the
// results over several stages as the overall page ranks them; relay the teams as
// the relay page ranks them.
int exportXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
