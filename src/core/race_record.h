#pragma once
// One stage of the race file and the classes it defines, as plain structs.
// The byte layout lives in encode/decode and nowhere else.
#include "core/class_rules.h"

#include <array>
#include <cstdint>
#include <string>

namespace ravik {

class ByteReader;
class ByteWriter;

inline constexpr std::size_t kClassDefinitionSize = 1808;
inline constexpr std::size_t kRaceRecordSize = 16496;
inline constexpr int kClassSlots = 9;
inline constexpr int kControls = 40;
inline constexpr int kAnswersPerControl = 7; // A..F, Z
inline constexpr int kClusters = 20;
inline constexpr int kClusterSlots = 10; // tasks 1..9, slot 10 = "X" when the cluster is not scored
inline constexpr int kMaxStages = 5;

// One class of a stage (1808 bytes in the file). Texts are code page 1250.
struct ClassDefinition {
    std::string class_name;                                                        // string[20]
    std::array<std::array<std::string, kClusterSlots>, kClusters> cluster_answers; // string[1] each
    std::int32_t cluster_penalty = 0;
    std::array<std::string, kControls> control_flags;  // string[3]: "A", "A-B" .. "A-F"
    std::array<std::string, kControls> control_answer; // string[1]: "A".."F", "X", "Z"
    std::array<std::array<std::int32_t, kAnswersPerControl>, kControls> answer_codes{}; // 0 = no station
    std::int32_t time_limit = 0;                                                        // minutes
    std::int32_t break1_from_code = 0;
    std::int32_t break1_to_code = 0;
    std::int32_t break2_from_code = 0;
    std::int32_t break2_to_code = 0;

    // Not in the 1808 bytes: read from and written to the race's own Ravik file
    // by race_file.h, so a copy of the class takes its format along.
    ClassRules rules;
    bool operator==(const ClassDefinition&) const = default;
};

// One stage (16496 bytes in the file).
struct RaceRecord {
    std::int32_t stage_number = 0;
    std::string stage_date;  // string[10], "RRRR-MM-DD"
    std::string race_name;   // string[100]
    std::string stage_place; // string[100]
    std::string stage_start; // string[5], "HH:MM"
    std::array<ClassDefinition, kClassSlots> classes;

    bool operator==(const RaceRecord&) const = default;
};

void encode(const ClassDefinition& definition, ByteWriter& out);
ClassDefinition decodeClassDefinition(ByteReader& in);

void encode(const RaceRecord& record, ByteWriter& out);
RaceRecord decodeRaceRecord(ByteReader& in);

// Field capacities, for editors that cut what the user typed.
namespace capacity {
inline constexpr std::size_t kClassName = 20;
inline constexpr std::size_t kStageDate = 10;
inline constexpr std::size_t kRaceName = 100;
inline constexpr std::size_t kStagePlace = 100;
inline constexpr std::size_t kStageStart = 5;
inline constexpr std::size_t kControlFlags = 3;
inline constexpr std::size_t kOneLetter = 1;
} // namespace capacity

} // namespace ravik
