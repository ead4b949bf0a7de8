#pragma once
#include "core/race_record.h"

#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// results RACE.ravik --stage N --classes A,B [options]: scores the stage, saves the
// competitor file, writes the result page (or relay page, and the ORIS text file)
// and prints the page's path. The options are the results window's controls.
int resultsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The classes named in --classes (UTF-8, comma-separated) in the order of the
// stage's class list, as ListBox1 selects them; false (and a message) for a name
// the stage does not have.
bool selectClasses(const RaceRecord& record, const std::string& namesUtf8, std::vector<std::string>& selected,
                   std::ostream& err);

} // namespace ravik::cli
