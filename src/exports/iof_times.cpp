#include "exports/iof_times.h"
#include "core/platform/platform.h"

#include "core/numbers.h"

namespace ravik {
namespace {

bool digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    if (text.size() < from + count) return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int numberAt(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// The broken-down time read as if it were UTC, in seconds since 1970.
std::int64_t secondsAsIfUtc(const std::tm& time) {
    const std::chrono::year_month_day date{std::chrono::year{time.tm_year + 1900},
                                           std::chrono::month{static_cast<unsigned>(time.tm_mon + 1)},
                                           std::chrono::day{static_cast<unsigned>(time.tm_mday)}};
    return std::int64_t{std::chrono::sys_days{date}.time_since_epoch().count()} * 86400 +
           time.tm_hour * 3600 + time.tm_min * 60 + time.tm_sec;
}

bool toUtc(std::time_t moment, std::tm& utc) {
    return platform::utcTime(moment, utc);
}

// "+HH:MM" or "-HH:MM", whole minutes.
std::string offsetText(std::int64_t seconds) {
    const char sign = seconds < 0 ? '-' : '+';
    const std::int64_t minutes = (seconds < 0 ? -seconds : seconds) / 60;
    return sign + twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60);
}

std::string dateText(std::chrono::year_month_day date) {
    return std::to_string(static_cast<int>(date.year())) + "-" +
           twoDigits(static_cast<unsigned>(date.month())) + "-" +
           twoDigits(static_cast<unsigned>(date.day()));
}

} // namespace

std::optional<std::chrono::year_month_day> parseStageDate(std::string_view text) {
    if (text.size() != 10 || !digitsAt(text, 0, 4) || text[4] != '-' || !digitsAt(text, 5, 2) ||
        text[7] != '-' || !digitsAt(text, 8, 2))
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{numberAt(text, 0, 4)},
                                           std::chrono::month{static_cast<unsigned>(numberAt(text, 5, 2))},
                                           std::chrono::day{static_cast<unsigned>(numberAt(text, 8, 2))}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::optional<int> parseZeroTime(std::string_view text) {
    if (text.size() != 5 || !digitsAt(text, 0, 2) || text[2] != ':' || !digitsAt(text, 3, 2))
        return std::nullopt;
    const int hours = numberAt(text, 0, 2), minutes = numberAt(text, 3, 2);
    if (hours > 23 || minutes > 59) return std::nullopt;
    return hours * 60 + minutes;
}

std::optional<int> parsePunchedTime(std::string_view text) {
    if (text.size() != 8 || !digitsAt(text, 0, 2) || text[2] != ':' || !digitsAt(text, 3, 2) ||
        text[5] != ':' || !digitsAt(text, 6, 2))
        return std::nullopt;
    const int hours = numberAt(text, 0, 2), minutes = numberAt(text, 3, 2), seconds = numberAt(text, 6, 2);
    if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

std::int64_t localUtcOffsetSeconds(std::tm local) {
    const std::time_t moment = std::mktime(&local); // normalises the fields, summer time included
    std::tm utc{};
    if (moment == static_cast<std::time_t>(-1) || !toUtc(moment, utc)) return 0;
    return secondsAsIfUtc(local) - secondsAsIfUtc(utc);
}

std::string iofDateTime(std::chrono::year_month_day date, std::int64_t seconds) {
    if (seconds < 0) seconds = 0;
    const std::chrono::year_month_day day{std::chrono::sys_days{date} + std::chrono::days{seconds / 86400}};
    const std::int64_t time = seconds % 86400;
    std::tm local{};
    local.tm_year = static_cast<int>(day.year()) - 1900;
    local.tm_mon = static_cast<int>(static_cast<unsigned>(day.month())) - 1;
    local.tm_mday = static_cast<int>(static_cast<unsigned>(day.day()));
    local.tm_hour = static_cast<int>(time / 3600);
    local.tm_min = static_cast<int>(time / 60 % 60);
    local.tm_sec = static_cast<int>(time % 60);
    local.tm_isdst = -1; // the C library knows whether summer time applies on that day
    return dateText(day) + "T" + twoDigits(time / 3600) + ":" + twoDigits(time / 60 % 60) + ":" +
           twoDigits(time % 60) + offsetText(localUtcOffsetSeconds(local));
}

std::string iofCreationTime(const std::tm& local) {
    return std::to_string(local.tm_year + 1900) + "-" + twoDigits(local.tm_mon + 1) + "-" +
           twoDigits(local.tm_mday) + "T" + twoDigits(local.tm_hour) + ":" + twoDigits(local.tm_min) + ":" +
           twoDigits(local.tm_sec) + offsetText(localUtcOffsetSeconds(local));
}

} // namespace ravik
