#pragma once
// One competitor as stored in the competitor file (220 bytes; an earlier layout
// of 212 bytes without the disqualification flags is read as well).
#include <array>
#include <cstdint>
#include <string>

namespace ravik {

class ByteReader;
class ByteWriter;

inline constexpr std::size_t kCompetitorRecordSize = 220;
inline constexpr std::size_t kLegacyCompetitorRecordSize = 212;
inline constexpr int kStages = 5;

struct CompetitorRecord {
    std::int32_t competitor_id = -1;
    std::string registration;     // string[7]
    std::string competitor_class; // string[20]
    std::int32_t si_card = -1;
    std::string competitor_name; // string[100]
    std::string nation;          // string[3]
    std::int32_t relay_number = -1;
    std::array<float, kStages> start_offset{-1.0f, -1.0f, -1.0f, -1.0f, -1.0f};
    std::array<std::int32_t, kStages> stage_points{-1, -1, -1, -1, -1};
    std::array<std::int32_t, kStages> stage_tc_time{-1, -1, -1, -1, -1};
    std::array<std::uint8_t, kStages> disqualified{};

    bool operator==(const CompetitorRecord&) const = default;
};

namespace capacity {
inline constexpr std::size_t kRegistration = 7;
inline constexpr std::size_t kCompetitorClass = 20;
inline constexpr std::size_t kCompetitorName = 100;
inline constexpr std::size_t kNation = 3;
} // namespace capacity

void encode(const CompetitorRecord& record, ByteWriter& out);
CompetitorRecord decodeCompetitorRecord(ByteReader& in);
// The earlier layout: the same first 212 bytes, no flags (all 0).
CompetitorRecord decodeLegacyCompetitorRecord(ByteReader& in);

} // namespace ravik
