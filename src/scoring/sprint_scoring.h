#pragma once
// PreO Sprint: the points of PreO, less one point per started interval over the
// limit, ranked by the course time times the class's time factor.
#include "core/race_record.h"
#include "scoring/stage_result.h"

#include <cstdint>

namespace ravik {

// Points off for a course time over the limit: one per started interval.
std::int32_t sprintOvertime(std::int32_t courseTime, std::int32_t limitMinutes, std::int32_t secondsPerPoint);

// Course time x factor to the nearest whole second, halves up.
std::int32_t sprintRankingTime(std::int32_t courseTime, double factor);

// After the PreO points: the over-time points, and the ranking time as the total
// (the second ranking key, the TC cell of the stage). Timed controls and the
// TempO-style conversion do not count in a sprint.
void applySprintRules(StageResult& result, const ClassDefinition& definition);

} // namespace ravik
