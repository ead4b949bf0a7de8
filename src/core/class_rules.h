#pragma once
// How a class is scored beyond what the race file holds: the PreO rules of old,
// or a PreO Sprint ranked by its course time. Kept in the race's own Ravik file
// (class_rules_file.h), never in the race file's bytes.
#include <cstdint>
#include <optional>
#include <string>

namespace ravik {

enum class ClassFormat { PreO, PreOSprint };

struct ClassRules {
    ClassFormat format = ClassFormat::PreO;
    double time_factor = 1.0;                     // sprint: ranking time = course time x factor
    std::int32_t overtime_seconds_per_point = 60; // sprint: one point per started interval over the limit
    bool operator==(const ClassRules&) const = default;
    bool sprint() const { return format == ClassFormat::PreOSprint; }
};

// Sensible bounds, checked wherever the values come in (editor, define, the file).
inline constexpr double kMaxTimeFactor = 100.0;
inline constexpr std::int32_t kMaxOvertimeSecondsPerPoint = 86400;
bool validTimeFactor(double factor);
bool validOvertimeSecondsPerPoint(std::int64_t seconds);

// "preo" and "preo-sprint", as the Ravik file and ravik-cli define write them.
const char* formatName(ClassFormat format);
std::optional<ClassFormat> formatFromName(const std::string& name);

// The factor as the editor and ravik-cli info show it: "1", "0.95", "1.125".
std::string timeFactorText(double factor);

} // namespace ravik
