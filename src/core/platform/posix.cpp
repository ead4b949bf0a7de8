// The platform layer on Linux and other POSIX systems.
#include "core/platform/platform.h"

namespace ravik::platform {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

bool utcTime(std::time_t moment, std::tm& utc) {
    return ::gmtime_r(&moment, &utc) != nullptr;
}

} // namespace ravik::platform
