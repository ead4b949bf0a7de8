#include "cli/readout_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "readout/readout_pass.h"

namespace ravik::cli {

namespace {

constexpr const char* kUsage = "usage: ravik-cli readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] "
                               "[--lang CZE|GBR]\n";

} // namespace

int readoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--log", "--date", "--lang"}});
    if (!parsed || parsed->value("--stage").empty() || parsed->value("--log").empty()) {
        err << kUsage;
        return 2;
    }
    const std::string language = parsed->value("--lang", "CZE");
    if (language != "CZE" && language != "GBR") {
        err << "ravik-cli: --lang takes CZE or GBR\n";
        return 2;
    }
    auto session = openRace({.racePath = parsed->racePath(),
                             .stage = parsed->value("--stage"),
                             .language = languageFromCode(language),
                             .changesFiles = true},
                            err);
    if (!session) return 1;
    ReadoutOptions options;
    options.logPath = parsed->value("--log");
    options.raceDate = parsed->value("--date");
    options.rewriteDate = !options.raceDate.empty();
    options.stageFolder = session->race.currentStageFolder();
    echoLog(*session, out); // from loading the competitors, then the pass's own
    // A punch file that could not be written has been named in the log with the reason.
    return runReadoutPass(options, *session).writeFailed ? 1 : 0;
}

} // namespace ravik::cli
