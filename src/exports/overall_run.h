#pragma once
// "Výsledky" of the group "Celkové výsledky", and `ravik-cli overall`: the chosen
// stages scored afresh, then the overall page written from what they scored.
#include "exports/overall_results.h"
#include "scoring/stage_scoring.h"

#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Session;
class StageScoreCache;

struct OverallRunOutcome {
    std::string pagePath;
    // The log lines of punch and timed-control files that could not be read and were left out.
    std::vector<std::string> skippedFiles;
};

// Scores every chosen stage as "Výsledky" of the stage group does (its stage
// record read now, `scoring` giving the scoring controls; no class ranked), saves
// the competitor file, and writes the overall page. The over-time penalties are
// not kept in the competitor file, so the page never depends on what was scored
// earlier. A chosen stage whose folder is missing stops the run before anything
// is scored (IoError). A session that has the race read-only scores in memory and
// saves nothing but the page.
// `cacheOf` gives the window's kept results of a stage (nullptr: score every row).
OverallRunOutcome runOverall(Session& session, const OverallOptions& options, const ScoringOptions& scoring,
                             const std::function<StageScoreCache*(int stage)>& cacheOf = {});

} // namespace ravik
