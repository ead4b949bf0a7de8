#pragma once
// The SportIdent read-out log (CSV): after the header, one punch per line, ten
// fields each ended by ";". Fields 1 to 9 end at the next ";", field 10 runs to
// the ";" that is the last character of the line. Code page 1250.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravik {

inline constexpr std::string_view kSiLogHeader =
    "EventId;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt";
inline constexpr int kSiLogFields = 10;
// Real lines are about 60 characters; anything much longer is damage.
inline constexpr std::size_t kMaxSiLogLineLength = 1024;
// Control codes, substitute codes included, lie between 0 and 9999.
inline constexpr int kMaxControlCode = 9999;

namespace silog {
inline constexpr int kEventId = 0, kCard = 1, kCode = 2, kMode = 3, kSource = 4, kDayOfWeek = 5, kDate = 6,
                     kTime = 7, kNo = 8, kCnt = 9;
}

using SiLogFields = std::array<std::string_view, kSiLogFields>;

enum class SiLogLineKind {
    Header,     // exactly the header: skipped
    Blank,      // an empty line: skipped without a word
    HeaderLike, // field 2 is "SI-Card" but the line is not the exact header
    Punch,      // ten fields, final ";", a card number and a code in range (or empty)
    Malformed,  // anything else: reported and skipped
};

struct SiLogLine {
    SiLogLineKind kind = SiLogLineKind::Malformed;
    SiLogFields fields{}; // views into the line (valid for Punch)
    std::int64_t card = 0;
    std::optional<int> code; // nullopt when CN is empty
};

// Classifies and splits one line (without its line end).
SiLogLine parseSiLogLine(std::string_view line);

// Field 2 as a card number: leading blanks skipped, then decimal digits up to the
// first other character; nullopt when there is no digit or more than 18.
std::optional<std::int64_t> cardNumberOf(std::string_view text);

// The ten fields rebuilt with ";" after each.
std::string joinSiLogFields(const std::array<std::string, kSiLogFields>& fields);

} // namespace ravik
