#include "cli/open_race.h"

#include "core/class_rules_file.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/race_record.h"
#include "setup/race_opening.h"

namespace ravik::cli {

bool raceFileFound(const std::string& racePath, std::ostream& err) {
    if (fileExists(racePath)) return true;
    err << "ravik-cli: no race file " << racePath << "\n";
    return false;
}

std::optional<int> plainStageNumber(const std::string& stageText) {
    RaceContext race;
    race.setCurrentStageText(stageText);
    const int stage = race.currentStage();
    if (stageText != std::to_string(stage)) return std::nullopt;
    return stage;
}

int stageOfRace(const std::string& racePath, const std::string& stageText) {
    const auto stage = plainStageNumber(stageText);
    return stage && *stage >= 1 && *stage <= kMaxStages && *stage <= stageCount(racePath) ? *stage : 0;
}

void cleanStaleTemporaryFiles(const RaceContext& race, Language language, std::ostream& err) {
    LogLines removed;
    removeStaleTemporaryFilesOfRace(race, removed, language);
    for (const std::string& line : removed.lines())
        err << "ravik-cli: " << line << "\n";
}

std::optional<Session> openRace(const RaceToOpen& race, std::ostream& err) {
    if (!raceFileFound(race.racePath, err)) return std::nullopt;
    if (race.stage && (race.stageWithinRace ? stageOfRace(race.racePath, *race.stage) == 0
                                            : !plainStageNumber(*race.stage))) {
        err << "ravik-cli: the race has no stage " << *race.stage << "\n";
        return std::nullopt;
    }
    if (const auto cutShort = raceFileCutShort(race.racePath)) err << "ravik-cli: " << *cutShort << "\n";
    if (const std::string damaged = classRulesFileProblem(race.racePath, race.language); !damaged.empty())
        err << "ravik-cli: " << damaged << "\n";
    Session session;
    session.language = race.language;
    session.race.setRacePath(race.racePath);
    if (race.stage) session.race.setCurrentStageText(*race.stage);
    bool holdsRace = false;
    if (race.changesFiles) {
        holdsRace = session.takeRaceLock();
        if (!holdsRace && !race.readsWhenHeld) {
            err << "ravik-cli: " << raceLockRefusal(session.raceLock(), session.language) << "\n";
            return std::nullopt;
        }
        if (holdsRace) cleanStaleTemporaryFiles(session.race, session.language, err);
    }
    session.loadCompetitors();
    if (holdsRace && session.competitorFileNotRecognised()) {
        err << "ravik-cli: " << session.log.lastLine() << "\n";
        return std::nullopt;
    }
    return session;
}

void echoLog(Session& session, std::ostream& out) {
    for (const auto& line : session.log.lines())
        out << line << "\n";
    session.log.setListener([&out](const std::string& line, bool) { out << line << "\n"; });
}

} // namespace ravik::cli
