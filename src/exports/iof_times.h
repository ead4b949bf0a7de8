#pragma once
// Dates and times of the XML result lists, written so that they are valid
// xsd:date, xsd:time and xsd:dateTime values.
#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace ravik {

// "RRRR-MM-DD" that names a real day.
std::optional<std::chrono::year_month_day> parseStageDate(std::string_view text);
// "HH:MM" with hours 0..23 and minutes 0..59, as minutes after midnight.
std::optional<int> parseZeroTime(std::string_view text);
// "HH:MM:SS" as punched, as seconds after midnight; nullopt for anything else.
std::optional<int> parsePunchedTime(std::string_view text);

// Times are local times of the race office: the machine's time zone as the C
// library knows it (TZ, or the system's zone), with its summer time.

// Seconds east of UTC at that local time (tm_isdst -1: the C library decides);
// 0 when the time cannot be placed.
std::int64_t localUtcOffsetSeconds(std::tm local);

// The date plus a number of seconds (which may run into the next days) as
// "RRRR-MM-DDTHH:MM:SS+HH:MM", with the local offset at that moment.
std::string iofDateTime(std::chrono::year_month_day date, std::int64_t seconds);

// The creation time: date, "T", the time with a two-digit hour, then its local offset.
std::string iofCreationTime(const std::tm& local);

} // namespace ravik
