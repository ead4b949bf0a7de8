#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// export-xml RACE.ravik --stage N --kind preo|tempo: writes the stage's IOF XML
// 3.0 result list from the competitor file and prints its path.
int exportXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
