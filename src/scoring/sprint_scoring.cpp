#include "scoring/sprint_scoring.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ravik {

std::int32_t sprintOvertime(std::int32_t courseTime, std::int32_t limitMinutes,
                            std::int32_t secondsPerPoint) {
    const std::int64_t over = std::int64_t{courseTime} - std::int64_t{limitMinutes} * 60;
    if (over <= 0) return 0;
    const std::int64_t interval = std::max<std::int32_t>(secondsPerPoint, 1);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>((over + interval - 1) / interval, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t sprintRankingTime(std::int32_t courseTime, double factor) {
    // A factor typed as 1.1 is a shade below it in binary: 2005 x 1.1 must still give 2206.
    const double exact = static_cast<double>(courseTime) * factor;
    const double rounded = std::floor(exact + 0.5 + 1e-9 * std::max(1.0, std::abs(exact)));
    return static_cast<std::int32_t>(
        std::clamp(rounded, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

void applySprintRules(StageResult& result, const ClassDefinition& definition) {
    result.sprint = true;
    result.overtime =
        sprintOvertime(result.raceTime, definition.time_limit, definition.rules.overtime_seconds_per_point);
    result.total = sprintRankingTime(result.raceTime, definition.rules.time_factor);
}

} // namespace ravik
