#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// results RACE.ravik --stage N --classes A,B [options]: scores the stage, saves the
// competitor file, writes the result page (or relay page, and the ORIS text file)
// and prints the page's path. The options are the results window's controls.
int resultsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
