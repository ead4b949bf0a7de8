#pragma once
// Times of day written hours:minutes:seconds, as punched, and the durations
// shown on the result pages.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravik {

inline constexpr std::int32_t kSecondsPerDay = 86400;

// Seconds of a time of day: each of the three colon-separated parts read from
// its decimal digits only (an empty part counts 0).
std::int64_t secondsOfDay(std::string_view time);

// Empty (no time) or within a day: its seconds below 86 400. A garbled time
// such as "999999999:00:00" is none.
bool isTimeOfDay(std::string_view time);

// The second time minus the first, plus 86 400 when the second is earlier
// (a race across midnight).
std::int32_t timeDifference(std::string_view first, std::string_view second);

// The stage's zero time "HH:MM" in seconds after midnight (characters 1–2 and
// 4–5 must be digits); nullopt when it is not in that form.
std::optional<std::int64_t> zeroTimeSeconds(std::string_view stageStart);

// A time of day "HH:MM:SS", each part two digits; hours are not wrapped at 24.
std::string clockText(std::int64_t seconds);

// Seconds as minutes ":" seconds, both at least two digits ("95:07").
std::string minutesSeconds(std::int64_t seconds);

} // namespace ravik
