#include "cli/overall_command.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "exports/overall_page.h"
#include "scoring/stage_scoring.h"

#include <sstream>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli overall RACE.ravik --stages 1,2 --classes A,B [--complete] [--caption TEXT]\n";

struct OverallArguments {
    std::string racePath, stages, classes, caption;
    bool complete = false, captionGiven = false;
};

bool parseArguments(const std::vector<std::string>& args, OverallArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--stages" && hasValue)
            parsed.stages = args[++i];
        else if (arg == "--classes" && hasValue)
            parsed.classes = args[++i];
        else if (arg == "--caption" && hasValue) {
            parsed.caption = args[++i];
            parsed.captionGiven = true;
        } else if (arg == "--complete")
            parsed.complete = true;
        else if (parsed.racePath.empty() && !arg.starts_with("--"))
            parsed.racePath = arg;
        else
            return false;
    }
    return !parsed.racePath.empty() && !parsed.stages.empty();
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

} // namespace

int overallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OverallArguments parsed;
    if (!parseArguments(args, parsed)) {
        err << kUsage;
        return 2;
    }
    if (!fileExists(parsed.racePath)) {
        err << "ravik-cli: no race file " << parsed.racePath << "\n";
        return 1;
    }
    const int stages = stageCount(parsed.racePath);
    OverallOptions options;
    for (const std::string& stage : splitAtCommas(parsed.stages)) {
        if (stage.size() != 1 || stage[0] < '1' || stage[0] > '0' + stages) {
            err << "ravik-cli: the race has no stage " << stage << "\n";
            return 1;
        }
        options.stages[stage[0] - '1'] = true;
    }
    for (const std::string& name : splitAtCommas(parsed.classes))
        options.classes.push_back(utf8ToCp1250(name));
    options.completeOnly = parsed.complete;
    options.page.caption =
        parsed.captionGiven ? utf8ToCp1250(parsed.caption) : readStage(parsed.racePath, 1).race_name;

    Session session;
    session.race.setRacePath(parsed.racePath);
    session.loadCompetitors();
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        session.race.setCurrentStageText(std::to_string(stage));
        ScoringOptions scoring;
        scoring.stage = stage;
        scoring.offsetStage = stage;
        scoring.selectedClasses = options.classes;
        scoreStage(session, readStage(parsed.racePath, stage), scoring);
        session.saveCompetitors();
    }
    out << writeOverallResults(session.race, session.table, options, session.language) << "\n";
    return 0;
}

} // namespace ravik::cli
