#include "scoring/tempo_scoring.h"

#include "scoring/class_lookup.h"

#include <algorithm>
#include <cstdint>

namespace ravik {
namespace {

// Sums stay within 32 bits whatever a damaged race file holds.
std::int32_t saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

void scoreTimedControls(StageResult& result, const ClassDefinition& definition, bool unansweredIsWrong) {
    const std::int64_t penalty = definition.cluster_penalty;
    std::int64_t sum = 0;
    std::int64_t total = 0;
    for (auto& flags : result.tcWrong)
        flags.fill(false);
    for (int station = 0; station < kClusters; ++station) {
        if (isSwitchedOff(definition, station)) continue;
        sum += result.tcTime[station];
        std::int64_t stationPenalty = 0;
        for (int task = 0; task < kClusterSlots - 1; ++task) {
            const std::string& correct = definition.cluster_answers[station][task];
            const std::string& given = result.tcAnswer[station][task];
            if (correct.empty() || correct == given || isVoidedTask(definition, station, task)) continue;
            if (given.empty() && !unansweredIsWrong) stationPenalty += penalty;
            result.tcWrong[station][task] = true;
            stationPenalty += penalty;
        }
        result.tcPenalty[station] = saturated(stationPenalty);
        total += stationPenalty;
    }
    result.tcSum = saturated(sum);
    result.total = saturated(total + sum);
}

void applyTempoStyle(StageResult& result, std::int32_t penaltySeconds) {
    std::int64_t total = result.total;
    for (bool wrong : result.wrong)
        if (wrong) {
            total += penaltySeconds;
            result.points = 0;
        }
    total += static_cast<std::int64_t>(penaltySeconds) * result.overtime;
    result.overtime = 0;
    result.total = saturated(total);
}

} // namespace ravik
