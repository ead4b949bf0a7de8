#include "setup/race_opening.h"

#include "core/class_rules_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/core_texts.h"
#include "setup/stage_display.h"

namespace ravik {

std::string racePathFor(const std::string& chosenName, RaceNaming naming) {
    const bool endsInRavik =
        chosenName.size() >= 5 && chosenName.compare(chosenName.size() - 5, 5, "ravik") == 0;
    if (naming == RaceNaming::Open && endsInRavik) return chosenName;
    return chosenName + ".ravik";
}

RaceRecord newRaceFirstStage() {
    RaceRecord first;
    first.stage_number = 1;
    return first;
}

void removeStaleTemporaryFilesOfRace(const RaceContext& race, Log& log, Language language) {
    std::size_t removed =
        removeStaleTemporaryFiles(race.raceFolder().empty() ? "./" : race.raceFolder()).size();
    for (int stage = 1; stage <= kMaxStages; ++stage)
        removed += removeStaleTemporaryFiles(race.stageFolder(stage)).size();
    if (removed > 0) log.append(tr(language, texts::kStaleTemporaryFilesRemoved) + std::to_string(removed));
}

OpenedRace openRace(Session& session, const std::string& chosenName, RaceNaming naming,
                    const std::function<void()>& reloadEditor) {
    const std::string path = racePathFor(chosenName, naming);
    session.race.setRacePath(path);
    OpenedRace opened;
    if (session.takeRaceLock()) {
        removeStaleTemporaryFilesOfRace(session.race, session.log, session.language);
    } else {
        opened.readOnly = true;
        session.log.append(session.text(texts::kRaceOpenedReadOnly) +
                           raceLockRefusal(session.raceLock(), session.language));
    }
    session.table.clear();
    if (reloadEditor) reloadEditor();
    session.loadCompetitors();

    if (!fileExists(path)) {
        session.requireWritable();
        createRaceFile(path, newRaceFirstStage());
        ensureFolder(session.race.stageFolder(1));
        opened.created = true;
    }
    opened.stageCount = stageCount(path);
    if (const auto cutShort = raceFileCutShort(path)) session.log.append(*cutShort);
    if (const std::string damaged = classRulesFileProblem(path, session.language); !damaged.empty())
        session.log.append(damaged);
    if (opened.stageCount == 0) throw IoError("The race file holds no whole stage: " + path);
    const int current = stageNumberOf(session.race.currentStageText());
    if (current == 0 || current > opened.stageCount) session.race.setCurrentStageText("1");
    return opened;
}

} // namespace ravik
