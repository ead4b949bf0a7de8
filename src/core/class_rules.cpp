#include "core/class_rules.h"

#include <cmath>
#include <cstdio>

namespace ravik {

bool validTimeFactor(double factor) {
    return std::isfinite(factor) && factor > 0.0 && factor <= kMaxTimeFactor;
}

bool validOvertimeSecondsPerPoint(std::int64_t seconds) {
    return seconds >= 1 && seconds <= kMaxOvertimeSecondsPerPoint;
}

const char* formatName(ClassFormat format) {
    return format == ClassFormat::PreOSprint ? "preo-sprint" : "preo";
}

std::optional<ClassFormat> formatFromName(const std::string& name) {
    if (name == "preo") return ClassFormat::PreO;
    if (name == "preo-sprint") return ClassFormat::PreOSprint;
    return std::nullopt;
}

std::string timeFactorText(double factor) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", factor);
    return text;
}

} // namespace ravik
