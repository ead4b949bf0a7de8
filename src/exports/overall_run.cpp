#include "exports/overall_run.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/scoring_texts.h"
#include "exports/overall_page.h"
#include "scoring/score_cache.h"

namespace ravik {

OverallRunOutcome runOverall(Session& session, const OverallOptions& options, const ScoringOptions& scoring,
                             const std::function<StageScoreCache*(int stage)>& cacheOf) {
    // Where another program holds the race, the stages are scored in memory only:
    // the page is still written, the competitor file is that program's to save.
    const bool saves = !session.readOnly();
    if (saves) session.requireWritable();
    // Every stage folder first: a missing one stops the run before any stage is saved.
    for (int stage = 1; stage <= kStages; ++stage) {
        const std::string folder = session.race.stageFolder(stage);
        if (options.stages[stage - 1] && !folderExists(folder))
            throw IoError(session.text(texts::kStageFolderNotFoundBefore) + folder +
                          session.text(texts::kStageFolderNotFoundAfter));
    }
    OverallRunOutcome outcome;
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        ScoringOptions stageScoring = scoring;
        stageScoring.stage = stage;
        stageScoring.selectedClasses.clear(); // the overall ranks; the stage's places are not needed
        const RaceRecord record = readStage(session.race.racePath(), stage);
        StageScoreCache* cache = cacheOf ? cacheOf(stage) : nullptr;
        if (cache)
            scoreStage(session, record, stageScoring, *cache, &outcome.skippedFiles);
        else
            scoreStage(session, record, stageScoring, &outcome.skippedFiles);
    }
    if (saves) session.saveCompetitors();
    outcome.pagePath = writeOverallResults(session.race, session.table, options, session.language);
    return outcome;
}

} // namespace ravik
