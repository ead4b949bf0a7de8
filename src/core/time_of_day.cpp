#include "core/time_of_day.h"

#include "core/numbers.h"

namespace ravik {
namespace {

// Decimal digits of a part, other characters skipped; capped so that hostile
// digit runs cannot overflow.
std::int64_t digitsValue(std::string_view part) {
    std::int64_t value = 0;
    for (char c : part)
        if (c >= '0' && c <= '9' && value < 1'000'000'000) value = value * 10 + (c - '0');
    return value;
}

} // namespace

std::int64_t secondsOfDay(std::string_view time) {
    std::int64_t parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const auto colon = time.find(':');
        parts[i] = digitsValue(time.substr(0, colon));
        if (colon == std::string_view::npos) break;
        time.remove_prefix(colon + 1);
    }
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

bool isTimeOfDay(std::string_view time) {
    return time.empty() || secondsOfDay(time) < kSecondsPerDay;
}

std::int32_t timeDifference(std::string_view first, std::string_view second) {
    const std::int64_t from = secondsOfDay(first);
    const std::int64_t to = secondsOfDay(second);
    std::int64_t difference = to - from;
    if (to < from) difference += kSecondsPerDay;
    if (difference > INT32_MAX) return INT32_MAX;
    if (difference < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(difference);
}

std::optional<std::int64_t> zeroTimeSeconds(std::string_view stageStart) {
    auto digit = [&](std::size_t i) {
        return i < stageStart.size() && stageStart[i] >= '0' && stageStart[i] <= '9';
    };
    if (!digit(0) || !digit(1) || !digit(3) || !digit(4)) return std::nullopt;
    return ((stageStart[0] - '0') * 10 + (stageStart[1] - '0')) * 3600LL +
           ((stageStart[3] - '0') * 10 + (stageStart[4] - '0')) * 60LL;
}

std::string clockText(std::int64_t seconds) {
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

std::string minutesSeconds(std::int64_t seconds) {
    const bool negative = seconds < 0;
    const std::int64_t magnitude = negative ? -seconds : seconds;
    return (negative ? "-" : "") + twoDigits(magnitude / 60) + ":" + twoDigits(magnitude % 60);
}

} // namespace ravik
