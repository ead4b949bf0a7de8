#pragma once
// Times of day written hours:minutes:seconds, as punched, and the durations
// shown on the result pages.
#include <cstdint>
#include <string>
#include <string_view>

namespace ravik {

inline constexpr std::int32_t kSecondsPerDay = 86400;

// Seconds of a time of day: each of the three colon-separated parts read from
// its decimal digits only (an empty part counts 0).
std::int64_t secondsOfDay(std::string_view time);

// The second time minus the first, plus 86 400 when the second is earlier
// (a race across midnight).
std::int32_t timeDifference(std::string_view first, std::string_view second);

// Seconds as minutes ":" seconds, both at least two digits ("95:07").
std::string minutesSeconds(std::int64_t seconds);

} // namespace ravik
