#pragma once
// A scored stage's ranking as the competitor table and the stage's files give it,
// for the commands that follow a stage's results without scoring it again (the
// start order by results, the XML result lists).
#include "scoring/stage_status.h"

#include <cstdint>
#include <vector>

namespace ravik {

class Session;

struct ScoredRow {
    int row = 0;               // competitor table row
    std::int64_t points = 0;   // the stage's "pts" cell
    std::int32_t overtime = 0; // over-time penalty units, from his punch file
    std::int64_t total = 0;    // the stage's "TC" cell
    StageStatus status = StageStatus::Ok;
    std::int64_t netScore() const { return points - overtime; }
};

// The rows that have the stage's results (a start offset, digits only in "pts"
// and "TC"), in the order of the stage ranking: those who finished by net score
// descending, then TC ascending, then table order; then the disqualified; then
// those who did not finish. The points and TC are what the last scoring wrote;
// the over-time penalty and whether he finished come from the stage's files,
// which is where the competitor file leaves them. Throws IoError when the stage
// folder does not exist.
std::vector<ScoredRow> stageStandings(const Session& session, int stage);

// Their rows alone, the previous ranking of a start order by results.
std::vector<int> stageRankingRows(const Session& session, int stage);

} // namespace ravik
