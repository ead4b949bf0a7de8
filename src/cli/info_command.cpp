#include "cli/info_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "scoring/class_lookup.h"

namespace ravik::cli {
namespace {

// Tasks with a correct answer at the stations that are not switched off: the tasks scored.
int scoredTaskCount(const ClassDefinition& definition) {
    int tasks = 0;
    for (int station = 0; station < kClusters; ++station)
        if (!isSwitchedOff(definition, station))
            for (int task = 0; task < kClusterSlots - 1; ++task)
                tasks += definition.cluster_answers[station][task].empty() ? 0 : 1;
    return tasks;
}

// Nothing for plain PreO, so the lines of such races read as before.
std::string formatLine(const ClassRules& rules) {
    if (rules == ClassRules{}) return {};
    return std::string(", format ") + formatName(rules.format) + ", time factor " +
           timeFactorText(rules.time_factor) + ", over-time " +
           std::to_string(rules.overtime_seconds_per_point) + " s per point";
}

} // namespace

int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {});
    if (!parsed) {
        err << "usage: ravik-cli info RACE.ravik\n";
        return 2;
    }
    RaceContext race;
    race.setRacePath(parsed->racePath());
    if (!raceFileFound(race.racePath(), err)) return 1;
    const int stages = stageCount(race.racePath());
    if (stages > 0) out << "Race: " << cp1250ToUtf8(readStage(race.racePath(), 1).race_name) << "\n";
    out << "Stages: " << stages << "\n";
    if (const auto cutShort = raceFileCutShort(race.racePath())) err << "ravik-cli: " << *cutShort << "\n";
    for (int stage = 1; stage <= stages; ++stage) {
        const RaceRecord record = readStage(race.racePath(), stage);
        out << "Stage " << stage << ": " << cp1250ToUtf8(record.stage_date) << ", "
            << cp1250ToUtf8(record.stage_place) << ", start " << cp1250ToUtf8(record.stage_start) << "\n";
        for (const ClassDefinition& definition : record.classes)
            if (!definition.class_name.empty())
                out << "  " << cp1250ToUtf8(definition.class_name) << ": " << controlCount(definition)
                    << " controls, " << scoredTaskCount(definition) << " timed-control tasks, penalty "
                    << definition.cluster_penalty << " s, limit " << definition.time_limit << " min"
                    << formatLine(definition.rules) << "\n";
    }
    CompetitorFileLoad outcome;
    const auto records = readCompetitorRecords(race.competitorFilePath(), &outcome);
    if (outcome.state == CompetitorFileState::NotRecognised)
        out << "Competitors: competitor file not recognised\n";
    else
        out << "Competitors: " << records.size() << "\n";
    return 0;
}

} // namespace ravik::cli
