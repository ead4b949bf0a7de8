#include "cli/commands.h"

#include "cli/assign_command.h"
#include "cli/competitors_command.h"
#include "cli/define_command.h"
#include "cli/demo_race.h"
#include "cli/entries_commands.h"
#include "cli/export_xml_command.h"
#include "cli/info_command.h"
#include "cli/new_command.h"
#include "cli/overall_command.h"
#include "cli/printout_command.h"
#include "cli/publish_commands.h"
#include "cli/readout_command.h"
#include "cli/results_command.h"
#include "cli/station_command.h"
#include "cli/stats_command.h"

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
        {"printout",
         {"printout RACE.ravik --stage N --id ID [--answers] [--pdf FILE] [--portrait] [--zoom Z] "
          "[--layout a4|80|58]",
          "score the stage and write the competitor's result printout as a PDF (A4 sheet or 80/58 mm "
          "receipt); "
          "print its path",
          printoutCommand}},
        {"overall",
         {"overall RACE.ravik --stages 1,2 --classes A,B [--complete] [--caption TEXT] [--pdf FILE]",
          "score the stages, write the overall results page of the classes and print its path (and the "
          "PDF's)",
          overallCommand}},
        {"export-xml",
         {"export-xml RACE.ravik --kind preo|tempo|startlist --stage N | --kind overall --stages 1,2 "
          "--classes A,B | --kind relay --stage N --classes A,B --relay farsta|motala|teams [--lang CZE|GBR]",
          "write an IOF XML 3.0 file (the stage's result list or start list, the overall results, the relay "
          "results) and print its path",
          exportXmlCommand}},
        {"import-text",
         {"import-text RACE.ravik --stage N FILE",
          "merge fixed-column competitor lines into the table, starting in stage N", importTextCommand}},
        {"import-xml",
         {"import-xml RACE.ravik --stage N FILE",
          "merge an IOF XML entry list into the table, starting in stage N", importXmlCommand}},
        {"ids", {"ids RACE.ravik", "fill the missing competitor IDs", idsCommand}},
        {"draw",
         {"draw RACE.ravik --stage N [--class NAME] [--in-order] [--first M] [--interval I] "
          "[--by-results [--best-first]]",
          "draw the start times of stage N (whole table or one class) or order them by results",
          drawCommand}},
        {"startlist",
         {"startlist RACE.ravik --stage N [--pdf FILE]",
          "write the start list page of stage N and print its path (and the PDF's)", startListCommand}},
        {"info",
         {"info RACE.ravik",
          "print the race name, the stages, their classes (controls, timed-control tasks, penalty, limit) "
          "and the "
          "number of competitors",
          infoCommand}},
        {"competitors",
         {"competitors RACE.ravik [--sort id|class|name|relay|country|startN] [--set ID COLUMN VALUE] "
          "[--disqualify ID --stage N]",
          "list the competitor table, or sort it, set one cell or mark a disqualification and save it",
          competitorsCommand}},
        {"new",
         {"new RACE [--stages N]", "create a race file of N empty stages (default 1) and its stage folders",
          newCommand}},
        {"define",
         {"define RACE.ravik FILE.json", "write stage headers and class definitions from a JSON file",
          defineCommand}},
        {"results",
         {"results RACE.ravik --stage N --classes A,B [--same-courses] [--columns] [--details] [--splits] "
          "[--keep-order] [--tempo-style] [--penalty S] [--iof] [--relay farsta|motala|teams] "
          "[--leg-controls N] "
          "[--caption TEXT] [--qualification N] [--oris] [--refresh S] [--roll MS] [--hold N] "
          "[--lang CZE|GBR] [--pdf FILE]",
          "score the stage, save the competitor file, write the result page and print its path (and the "
          "PDF's)",
          resultsCommand}},
        {"stats",
         {"stats RACE.ravik --stage N --classes A,B [--iof] [--lang CZE|GBR] [--pdf FILE]",
          "write the answer statistics page of the stage's classes and print its path (and the PDF's)",
          statsCommand}},
        {"readout",
         {"readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] [--lang CZE|GBR]",
          "one read-out pass: print the log lines and write the new punch files", readoutCommand}},
        {"assign",
         {"assign RACE.ravik --card N --id ID --stage N --log FILE [--date YYYY-MM-DD] [--lang CZE|GBR]",
          "give an unassigned card to the competitor with the ID, save, and run the read-out pass",
          assignCommand}},
        {"station",
         {"station --port PORT --log FILE [--race RACE.ravik --stage N] [--lang CZE|GBR] | station --list",
          "read cards from a SportIdent master station into the SI log until interrupted; with a race, "
          "write their punch files; --list shows the serial ports",
          stationCommand}},
        {"publish",
         {"publish RACE.ravik --stage N [--service-user U] [--host H [--port P] --user U --password W "
          "--dir D] [--ftps [--fingerprint SHA256]] FILE...",
          "upload pages of the stage folder and the race folder to the race web service or another server",
          publishCommand}},
        {"tc-download",
         {"tc-download RACE.ravik --stage N --service-user U [--all|--new] [--ftps [--fingerprint SHA256]]",
          "download the timed-control answers from the race web service and merge them",
          timedControlDownloadCommand}},
        {"tc-merge",
         {"tc-merge RACE.ravik --stage N", "merge the downloaded timed-control answers of stage N",
          timedControlMergeCommand}},
        {"demo",
         {"demo DIR",
          "write the sample race into DIR (refused when DIR holds its files already) and print the race path",
          [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
              if (args.size() != 1) {
                  err << "usage: ravik-cli demo DIR\n";
                  return 2;
              }
              const std::vector<std::string> present = demoFilesPresent(args[0]);
              if (!present.empty()) {
                  err << "ravik-cli: " << args[0] << " holds a race already (" << present.front()
                      << "); nothing was written\n";
                  return 1;
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
    for (const auto& [name, entry] : commands())
        out << "  " << entry.usage << "\n      " << entry.summary << "\n";
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
