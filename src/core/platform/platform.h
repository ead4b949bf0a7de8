#pragma once
// The one place where the program calls the operating system. Everything else
// uses these plain functions; posix.cpp and win32.cpp implement them, and the
// build compiles the one of the system it builds for. Paths are UTF-8.
#include <ctime>

namespace ravik::platform {

// The calendar time of the moment in the computer's time zone (with its summer time).
std::tm localTime(std::time_t moment);
// The calendar time of the moment in UTC; false when the system cannot convert it.
bool utcTime(std::time_t moment, std::tm& utc);

// The local calendar time now.
inline std::tm localNow() {
    return localTime(std::time(nullptr));
}

} // namespace ravik::platform
