#pragma once
// TempO: the timed-control stations of one competitor, and the TempO-style
// conversion of wrong PreO answers and over-time into seconds.
#include "core/race_record.h"
#include "scoring/stage_result.h"

namespace ravik {

// tcSum, tcPenalty, tcWrong and total from the stations' times and answers read
// into the result. A wrong answer costs the class penalty P, a missing one 2 × P
// (P under the IOF rule, unansweredIsWrong); a task whose answer is "X" is voided
// and costs nothing; a station whose tenth cell is "X" is switched off and not scored.
void scoreTimedControls(StageResult& result, const ClassDefinition& definition,
                        bool unansweredIsWrong = false);

// Every wrong PreO control adds penaltySeconds to total and sets the points to 0;
// the over-time units become penaltySeconds each in total, overtime becomes 0.
void applyTempoStyle(StageResult& result, std::int32_t penaltySeconds);

} // namespace ravik
