#include "cli/overall_command.h"

#include "cli/arguments.h"
#include "cli/cli_drawing.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "exports/overall_run.h"

#include <sstream>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli overall RACE.ravik --stages 1,2 --classes A,B [--complete] [--caption TEXT] "
    "[--keep-order] [--tempo-style] [--penalty S] [--iof] [--pdf FILE]\n";

} // namespace

int overallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed =
        Arguments::parse(args, {.options = {"--stages", "--classes", "--caption", "--penalty", "--pdf"},
                                .flags = {"--complete", "--keep-order", "--tempo-style", "--iof"}});
    if (!parsed || parsed->value("--stages").empty()) {
        err << kUsage;
        return 2;
    }
    if (parsed->has("--pdf") && !drawingInBuild()) return drawingNotInBuild(err, Language::English);
    const std::string racePath = parsed->racePath();
    auto session = openRace({.racePath = racePath, .changesFiles = true}, err);
    if (!session) return 1;
    OverallOptions options;
    for (const std::string& stage : splitAtCommas(parsed->value("--stages"))) {
        const int number = stageOfRace(racePath, stage);
        if (number == 0) {
            err << "ravik-cli: the race has no stage " << stage << "\n";
            return 1;
        }
        options.stages[number - 1] = true;
    }
    for (const std::string& name : splitAtCommas(parsed->value("--classes")))
        options.classes.push_back(utf8ToCp1250(name));
    options.completeOnly = parsed->has("--complete");
    options.page.caption = parsed->has("--caption") ? utf8ToCp1250(parsed->value("--caption"))
                                                    : readStage(racePath, 1).race_name;

    // The stages are scored as `results` scores them with the same flags.
    ScoringOptions scoring;
    scoring.keepOrder = parsed->has("--keep-order");
    scoring.tempoStyle = parsed->has("--tempo-style");
    scoring.wrongAnswerPenalty = parsed->value("--penalty", "60");
    scoring.unansweredIsWrong = parsed->has("--iof");
    // A missing stage folder stops the command before any stage is saved.
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1] && !folderExists(session->race.stageFolder(stage))) {
            err << "ravik-cli: no stage folder " << session->race.stageFolder(stage) << "\n";
            return 1;
        }
    const OverallRunOutcome outcome = runOverall(*session, options, scoring);
    out << outcome.pagePath << "\n";
    for (const std::string& message : outcome.skippedFiles)
        err << "ravik-cli: " << message << "\n";
    if (!outcome.skippedFiles.empty()) return 1;
    return parsed->has("--pdf")
               ? writeRequestedPdf(outcome.pagePath, parsed->value("--pdf"), Language::English, out, err)
               : 0;
}

} // namespace ravik::cli
