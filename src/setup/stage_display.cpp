#include "setup/stage_display.h"

#include "core/file_io.h"
#include "core/numbers.h"
#include "core/race_context.h"
#include "core/race_file.h"

namespace ravik {

std::string stageLine(const RaceRecord& record) {
    return (record.stage_date + " " + record.stage_place).substr(0, kStageLineLength);
}

int stageNumberOf(const std::string& text) {
    if (!isDigitsOnly(text) || text.size() > 2) return 0;
    const int stage = std::stoi(text);
    return stage >= 1 && stage <= kMaxStages ? stage : 0;
}

std::optional<RaceRecord> readCurrentStage(const RaceContext& race) {
    const int stage = stageNumberOf(race.currentStageText());
    if (stage == 0 || !fileExists(race.racePath()) || stage > stageCount(race.racePath()))
        return std::nullopt;
    return readStage(race.racePath(), stage);
}

} // namespace ravik
