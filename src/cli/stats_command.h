#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// stats RACE.ravik --stage N --classes A,B [--iof] [--lang CZE|GBR]: writes the
// answer statistics page of the classes into the stage folder and prints its
// path. It only reads the race, so it runs while another program holds it.
int statsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
