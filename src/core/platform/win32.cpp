// The platform layer on Windows.
#include "core/platform/platform.h"

namespace ravik::platform {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_s(&local, &moment);
    return local;
}

bool utcTime(std::time_t moment, std::tm& utc) {
    return ::gmtime_s(&utc, &moment) == 0;
}

} // namespace ravik::platform
