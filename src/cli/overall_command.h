#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// overall RACE.ravik --stages 1,2 --classes A,B [--complete] [--caption TEXT]:
// scores each chosen stage for the classes (as "Výsledky" would, so the
// penalties are known), saves the competitor file, writes the overall page and
// prints its path.
int overallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
