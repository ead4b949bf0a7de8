#include "cli/stats_command.h"

#include "cli/arguments.h"
#include "cli/cli_drawing.h"
#include "cli/open_race.h"
#include "cli/results_command.h"
#include "core/errors.h"
#include "core/race_file.h"
#include "scoring/statistics_page.h"

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli stats RACE.ravik --stage N --classes A,B [--iof] [--lang CZE|GBR] [--pdf FILE]\n";

const ArgumentRules kRules = {.options = {"--stage", "--classes", "--lang", "--pdf"},
                              .flags = {"--iof"},
                              .required = {"--stage", "--classes"}};

} // namespace

int statsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, kRules);
    const std::string language = parsed ? parsed->value("--lang", "CZE") : "";
    if (!parsed || (language != "CZE" && language != "GBR")) {
        err << kUsage;
        return 2;
    }
    if (parsed->has("--pdf") && !drawingInBuild()) return drawingNotInBuild(err, languageFromCode(language));
    auto session = openRace({.racePath = parsed->racePath(),
                             .stage = parsed->value("--stage"),
                             .language = languageFromCode(language)},
                            err);
    if (!session) return 1;
    const int stage = session->race.currentStage();
    const RaceRecord record = readStage(parsed->racePath(), stage);
    StatisticsOptions options;
    options.stage = stage;
    options.raceName = record.race_name;
    options.unansweredIsWrong = parsed->has("--iof");
    if (!selectClasses(record, parsed->value("--classes"), options.selectedClasses, err)) return 1;
    std::vector<std::string> skippedFiles;
    std::string pagePath;
    try {
        pagePath = writeStatisticsPage(*session, options, &skippedFiles);
        out << pagePath << "\n";
    } catch (const IoError& error) {
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
    // The page stands, but without the answers the skipped files hold.
    for (const std::string& message : skippedFiles)
        err << "ravik-cli: " << message << "\n";
    if (!skippedFiles.empty()) return 1;
    return parsed->has("--pdf")
               ? writeRequestedPdf(pagePath, parsed->value("--pdf"), languageFromCode(language), out, err)
               : 0;
}

} // namespace ravik::cli
