#include "cli/commands.h"

#include "cli/demo_race.h"
#include "cli/info_command.h"

#include <functional>
#include <map>

namespace ravik::cli {
namespace {

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

struct CommandEntry {
    const char* usage;
    const char* summary;
    Command run;
};

const std::map<std::string, CommandEntry>& commands() {
    static const std::map<std::string, CommandEntry> table = {
        {"version",
         {"version", "print the program's version",
          [](const auto&, std::ostream& out, std::ostream&) {
              out << "ravik " << RAVIK_VERSION << "\n";
              return 0;
          }}},
        {"info", {"info RACE.ravik", "print the stages, their classes and the number of competitors", infoCommand}},
        {"demo",
         {"demo DIR", "write the sample race into DIR and print the race path",
          [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
              if (args.size() != 1) {
                  err << "usage: ravik-cli demo DIR\n";
                  return 2;
              }
              out << writeDemoRace(args[0]).racePath << "\n";
              return 0;
          }}},
    };
    return table;
}

void printHelp(std::ostream& out) {
    out << "Usage: ravik-cli COMMAND [ARGUMENTS]\n\n"
           "Ravik results program for trail-orienteering races, without windows.\n\nCommands:\n";
    for (const auto& [name, entry] : commands()) out << "  " << entry.usage << "\n      " << entry.summary << "\n";
    out << "  --help\n      print this help\n";
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return args.empty() ? 2 : 0;
    }
    const auto found = commands().find(args[0]);
    if (found == commands().end()) {
        err << "ravik-cli: unknown command '" << args[0] << "' (see ravik-cli --help)\n";
        return 2;
    }
    return found->second.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

} // namespace ravik::cli
