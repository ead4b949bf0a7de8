#include "exports/overall_run.h"

#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_folder.h"
#include "exports/overall_page.h"

#include "scoring/score_cache.h"
#include <array>
#include <vector>

namespace ravik {

OverallRunOutcome runOverall(Session& session, const OverallOptions& options, const ScoringOptions& scoring,
                             const std::function<StageScoreCache*(int stage)>& cacheOf) {
    // Where another program holds the race, the stages are scored in memory only:
    // the page is still written, the competitor file is that program's to save.
    const bool saves = !session.readOnly();
    if (saves) session.requireWritable();
    // Every stage folder first: a missing one stops the run before any stage is saved.
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) requireStageFolder(session, session.race.stageFolder(stage));
    OverallRunOutcome outcome;
    // What the scoring found of each row's stage, so the page need not read the files again.
    std::array<std::vector<StageStatus>, kStages> statuses;
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        ScoringOptions stageScoring = scoring;
        stageScoring.stage = stage;
        stageScoring.selectedClasses.clear(); // the overall ranks; the stage's places are not needed
        const RaceRecord record = readStage(session.race.racePath(), stage);
        StageScoreCache* cache = cacheOf ? cacheOf(stage) : nullptr;
        std::vector<StageResult> unkept;
        const std::vector<StageResult>& results =
            cache ? scoreStage(session, record, stageScoring, *cache, &outcome.skippedFiles)
                  : (unkept = scoreStage(session, record, stageScoring, &outcome.skippedFiles));
        std::vector<StageStatus>& byRow = statuses[stage - 1];
        byRow.assign(session.table.rowCount(), StageStatus::Ok);
        for (const StageResult& result : results)
            if (result.row >= 1 && result.row < session.table.rowCount()) byRow[result.row] = result.status;
    }
    if (saves) session.saveCompetitors();
    const StageStatusLookup statusOf = [&statuses](int row, int stage) {
        const std::vector<StageStatus>& byRow = statuses[stage - 1];
        return row >= 0 && row < static_cast<int>(byRow.size()) ? byRow[row] : StageStatus::Ok;
    };
    outcome.pagePath = writeOverallResults(session.race, session.table, options, session.language, statusOf);
    return outcome;
}

} // namespace ravik
