#pragma once
// "Výsledky" of the group "Celkové výsledky", and `ravik-cli overall`: the chosen
// stages scored afresh, then the overall page written from what they scored.
#include "exports/overall_results.h"
#include "scoring/stage_scoring.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Session;
class StageScoreCache;

// What scoring the chosen stages found: how each row ended each stage.
struct OverallScoring {
    std::array<std::vector<StageStatus>, kStages> statuses; // by stage, then by table row
    // The log lines of punch and timed-control files that could not be read and were left out.
    std::vector<std::string> skippedFiles;
    // Reads `statuses`: the scoring must outlive it.
    StageStatusLookup lookup() const;
};

struct OverallRunOutcome {
    std::string pagePath;
    // The log lines of punch and timed-control files that could not be read and were left out.
    std::vector<std::string> skippedFiles;
};

// `cacheOf` gives the window's kept results of a stage (nullptr: score every row).
using StageCacheOf = std::function<StageScoreCache*(int stage)>;

// Scores every chosen stage as "Výsledky" of the stage group does (its stage
// record read now, `scoring` giving the scoring controls; no class ranked) and
// saves the competitor file. The over-time penalties are not kept in the
// competitor file, so what follows never depends on what was scored earlier. A
// chosen stage whose folder is missing stops the run before anything is scored
// (IoError). A session that has the race read-only scores in memory and saves nothing.
OverallScoring scoreOverallStages(Session& session, const OverallOptions& options,
                                  const ScoringOptions& scoring, const StageCacheOf& cacheOf = {});

// scoreOverallStages, then the overall page written from what they scored.
OverallRunOutcome runOverall(Session& session, const OverallOptions& options, const ScoringOptions& scoring,
                             const StageCacheOf& cacheOf = {});

} // namespace ravik
