#pragma once
// ravik-cli commands of the competitor table: imports, IDs, the start-time draw
// and start lists. Each loads the competitor file of the race, runs the command
// and saves the table (the start list only reads it).
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// import-text RACE.ravik --stage N FILE (fixed-column lines, code page 1250)
int importTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// import-xml RACE.ravik --stage N FILE (IOF XML entry list)
int importXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// ids RACE.ravik: fills missing IDs ("ID+")
int idsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// draw RACE.ravik --stage N [--class NAME] [--in-order] [--first M] [--interval I] [--by-results
// [--best-first]]
int drawCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// startlist RACE.ravik --stage N: writes the start list page and prints its path
int startListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
