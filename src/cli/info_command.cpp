#include "cli/info_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/race_context.h"
#include "core/race_file.h"

namespace ravik::cli {

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
    out << "Stages: " << stages << "\n";
    for (int stage = 1; stage <= stages; ++stage) {
        const RaceRecord record = readStage(race.racePath(), stage);
        out << "Stage " << stage << ": " << cp1250ToUtf8(record.stage_date) << ", "
            << cp1250ToUtf8(record.stage_place) << ", start " << cp1250ToUtf8(record.stage_start) << "\n";
        for (const ClassDefinition& definition : record.classes)
            if (!definition.class_name.empty()) out << "  " << cp1250ToUtf8(definition.class_name) << "\n";
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
