#pragma once
// What a SportIdent card holds, as the read-out uses it: the card number, the
// start, finish, check and clear records and the punches in card order.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ravik::station {

enum class CardKind { Si5, Si6, Si8, Si9, PCard, Si10, Si11, Siac };

// "SI5", "SI6", "SI8", "SI9", "pCard", "SI10", "SI11", "SIAC".
std::string_view cardKindName(CardKind kind);

// The most punches the card keeps (SI6: in the 192-punch mode).
int punchCapacity(CardKind kind);

struct CardPunch {
    int code = 0; // control code (0 to 1023); for start, finish, check, clear the station's code
    // Seconds after midnight; on an SI-Card 5 the twelve-hour value it stores
    // (0 to 43199). Empty when the card marks "no time".
    std::optional<std::int32_t> seconds;
    int dayOfWeek = -1; // 0 Sunday ... 6 Saturday, -1 when the card keeps none

    bool operator==(const CardPunch&) const = default;
};

struct CardContents {
    CardKind kind = CardKind::Si5;
    std::uint32_t number = 0; // as printed on the card
    std::optional<CardPunch> start, finish, check, clear;
    std::vector<CardPunch> punches; // in card order

    // An SI-Card 5 keeps twelve-hour times without AM/PM.
    bool twelveHour() const { return kind == CardKind::Si5; }
    int punchesWithoutTime() const;
    bool operator==(const CardContents&) const = default;
};

} // namespace ravik::station
