#include "exports/overall_run.h"

#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_folder.h"
#include "exports/overall_page.h"

#include "scoring/score_cache.h"
#include <vector>

namespace ravik {

StageStatusLookup OverallScoring::lookup() const {
    return [this](int row, int stage) {
        const std::vector<StageStatus>& byRow = statuses[stage - 1];
        return row >= 0 && row < static_cast<int>(byRow.size()) ? byRow[row] : StageStatus::Ok;
    };
}

OverallScoring scoreOverallStages(Session& session, const OverallOptions& options,
                                  const ScoringOptions& scoring, const StageCacheOf& cacheOf) {
    // Where another program holds the race, the stages are scored in memory only:
    // the page is still written, the competitor file is that program's to save.
    const bool saves = !session.readOnly();
    if (saves) session.requireWritable();
    // Every stage folder first: a missing one stops the run before any stage is saved.
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) requireStageFolder(session, session.race.stageFolder(stage));
    OverallScoring scored;
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        ScoringOptions stageScoring = scoring;
        stageScoring.stage = stage;
        stageScoring.selectedClasses.clear(); // the overall ranks; the stage's places are not needed
        const RaceRecord record = readStage(session.race.racePath(), stage);
        StageScoreCache* cache = cacheOf ? cacheOf(stage) : nullptr;
        std::vector<StageResult> unkept;
        const std::vector<StageResult>& results =
            cache ? scoreStage(session, record, stageScoring, *cache, &scored.skippedFiles)
                  : (unkept = scoreStage(session, record, stageScoring, &scored.skippedFiles));
        // What the scoring found of each row's stage, so nothing need read the files again.
        std::vector<StageStatus>& byRow = scored.statuses[stage - 1];
        byRow.assign(session.table.rowCount(), StageStatus::Ok);
        for (const StageResult& result : results)
            if (result.row >= 1 && result.row < session.table.rowCount()) byRow[result.row] = result.status;
    }
    if (saves) session.saveCompetitors();
    return scored;
}

OverallRunOutcome runOverall(Session& session, const OverallOptions& options, const ScoringOptions& scoring,
                             const StageCacheOf& cacheOf) {
    const OverallScoring scored = scoreOverallStages(session, options, scoring, cacheOf);
    OverallRunOutcome outcome;
    outcome.skippedFiles = scored.skippedFiles;
    outcome.pagePath =
        writeOverallResults(session.race, session.table, options, session.language, scored.lookup());
    return outcome;
}

} // namespace ravik
