#include "readout/station/card_decoders.h"

#include <algorithm>

namespace ravik::station {

namespace {

constexpr std::uint16_t kNoTime = 0xEEEE;
constexpr std::uint8_t kUnwritten = 0xEE;
constexpr std::int32_t kHalfDay = 43200;

// Commands of the card-detected messages.
constexpr std::uint8_t kSi5Detected = 0xE5, kSi6Detected = 0xE6, kSi8Detected = 0xE8;

// Where the records of a card with 4-byte records lie.
struct Layout {
    int number, count, start, finish, check;
    int clear; // -1: the card keeps no clear time
    int firstPunch;
};

constexpr Layout kSi6Layout{0x0B, 0x12, 0x18, 0x14, 0x1C, 0x20, 0x300};

Layout layoutOf(CardKind kind) {
    Layout layout{0x19, 0x16, 0x0C, 0x10, 0x08, -1, 0x200};
    switch (kind) {
    case CardKind::Si6:
        return kSi6Layout;
    case CardKind::Si9:
        layout.firstPunch = 0x38;
        break;
    case CardKind::Si8:
        layout.firstPunch = 0x88;
        break;
    case CardKind::PCard:
        layout.firstPunch = 0xB0;
        break;
    default:
        break;
    }
    return layout;
}

// Memory offset of punch i (from 1) of a card with 4-byte records.
int punchOffset(CardKind kind, int i) {
    if (kind == CardKind::Si6 && i > 64) return 0x100 + 4 * (i - 65); // the 192-punch mode
    return layoutOf(kind).firstPunch + 4 * (i - 1);
}

class MemoryReader {
public:
    explicit MemoryReader(const CardMemory& memory) : memory_(memory) {}

    std::optional<std::uint8_t> byte(int offset) const {
        const auto block = memory_.find(offset / static_cast<int>(kBlockSize));
        if (block == memory_.end()) return std::nullopt;
        return block->second[static_cast<std::size_t>(offset) % kBlockSize];
    }
    std::uint8_t byteOr0(int offset) const { return byte(offset).value_or(0); }
    std::uint32_t number(int offset, int bytes) const {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | byteOr0(offset + i);
        return value;
    }

    // A 4-byte record (PTD, CN, TH, TL); nullopt when it was never written or not read.
    std::optional<CardPunch> record(int offset) const {
        const auto ptd = byte(offset), cn = byte(offset + 1), th = byte(offset + 2), tl = byte(offset + 3);
        if (!ptd || !cn || !th || !tl) return std::nullopt;
        if (*ptd == kUnwritten && *cn == kUnwritten && *th == kUnwritten && *tl == kUnwritten)
            return std::nullopt;
        CardPunch punch;
        const std::uint16_t time = static_cast<std::uint16_t>(*th << 8 | *tl);
        // A PTD byte that was never written says nothing of the half-day, the day or the code's high bits.
        if (*ptd == kUnwritten) {
            punch.code = *cn;
            return punch;
        }
        punch.code = (*ptd >> 6 & 3) << 8 | *cn;
        if (time != kNoTime && time < kHalfDay) {
            punch.seconds = (*ptd & 1) * kHalfDay + time;
            const int day = *ptd >> 1 & 7;
            punch.dayOfWeek = day == 7 ? -1 : day;
        }
        return punch;
    }

private:
    const CardMemory& memory_;
};

int punchCount(CardKind kind, const MemoryReader& memory) {
    return std::min<int>(memory.byteOr0(layoutOf(kind).count), punchCapacity(kind));
}

// SI-Card 5: 16-bit number with its series byte, 12-hour times, 30 timed
// punches in 3-byte slots and 6 more punches without time.
CardContents decodeSi5(const MemoryReader& memory) {
    CardContents card;
    card.kind = CardKind::Si5;
    const std::uint32_t series = memory.byteOr0(0x06);
    const std::uint32_t number = memory.number(0x04, 2);
    card.number = series >= 2 ? series * 100000 + number : number;
    auto time = [&](int offset) -> std::optional<std::int32_t> {
        const std::uint32_t value = memory.number(offset, 2);
        if (value == kNoTime || value >= static_cast<std::uint32_t>(kHalfDay)) return std::nullopt;
        return static_cast<std::int32_t>(value);
    };
    auto timeRecord = [&](int offset) -> std::optional<CardPunch> {
        const auto seconds = time(offset);
        if (!seconds) return std::nullopt;
        return CardPunch{.code = 0, .seconds = seconds, .dayOfWeek = -1};
    };
    card.start = timeRecord(0x13);
    card.finish = timeRecord(0x15);
    card.check = timeRecord(0x19);
    const int count = std::clamp(memory.byteOr0(0x17) - 1, 0, punchCapacity(CardKind::Si5));
    for (int i = 1; i <= count; ++i) {
        if (i <= 30) {
            const int offset = 0x21 + 16 * ((i - 1) / 5) + 3 * ((i - 1) % 5);
            card.punches.push_back(
                {.code = memory.byteOr0(offset), .seconds = time(offset + 1), .dayOfWeek = -1});
        } else {
            card.punches.push_back(
                {.code = memory.byteOr0(0x20 + 16 * (i - 31)), .seconds = {}, .dayOfWeek = -1});
        }
    }
    return card;
}

CardContents decodeFourByteRecords(CardKind kind, const MemoryReader& memory) {
    const Layout layout = layoutOf(kind);
    CardContents card;
    card.kind = kind;
    card.number = memory.number(layout.number, 3);
    card.start = memory.record(layout.start);
    card.finish = memory.record(layout.finish);
    card.check = memory.record(layout.check);
    if (layout.clear >= 0) card.clear = memory.record(layout.clear);
    const int count = punchCount(kind, memory);
    for (int i = 1; i <= count; ++i) {
        const int offset = punchOffset(kind, i);
        // Left out: slots in blocks that were not read, and slots never written.
        if (const auto punch = memory.record(offset)) card.punches.push_back(*punch);
    }
    return card;
}

bool inRange(std::uint32_t number, std::uint32_t from, std::uint32_t to) {
    return number >= from && number <= to;
}

} // namespace

std::string_view cardKindName(CardKind kind) {
    switch (kind) {
    case CardKind::Si5:
        return "SI5";
    case CardKind::Si6:
        return "SI6";
    case CardKind::Si8:
        return "SI8";
    case CardKind::Si9:
        return "SI9";
    case CardKind::PCard:
        return "pCard";
    case CardKind::Si10:
        return "SI10";
    case CardKind::Si11:
        return "SI11";
    case CardKind::Siac:
        return "SIAC";
    }
    return "SI";
}

int punchCapacity(CardKind kind) {
    switch (kind) {
    case CardKind::Si5:
        return 36;
    case CardKind::Si6:
        return 192;
    case CardKind::Si8:
        return 30;
    case CardKind::Si9:
        return 50;
    case CardKind::PCard:
        return 20;
    case CardKind::Si10:
    case CardKind::Si11:
    case CardKind::Siac:
        return 128;
    }
    return 0;
}

int CardContents::punchesWithoutTime() const {
    return static_cast<int>(
        std::count_if(punches.begin(), punches.end(), [](const CardPunch& p) { return !p.seconds; }));
}

std::optional<CardKind> detectedCardKind(std::uint8_t command, std::uint8_t series, std::uint32_t number) {
    if (command == kSi5Detected) return CardKind::Si5;
    if (command == kSi6Detected) return CardKind::Si6;
    if (command != kSi8Detected) return std::nullopt;
    // The number ranges tell the cards apart; SI10, SI11 and SIAC share one series byte.
    if (inRange(number, 1000000, 1999999)) return CardKind::Si9;
    if (inRange(number, 2000000, 2999999)) return CardKind::Si8;
    if (inRange(number, 4000000, 4999999)) return CardKind::PCard;
    if (inRange(number, 7000000, 7999999)) return CardKind::Si10;
    if (inRange(number, 8000000, 8999999)) return CardKind::Siac;
    if (inRange(number, 9000000, 9999999)) return CardKind::Si11;
    switch (series & 0x0F) {
    case 0x01:
        return CardKind::Si9;
    case 0x02:
        return CardKind::Si8;
    case 0x04:
        return CardKind::PCard;
    default:
        return std::nullopt;
    }
}

std::vector<int> punchBlocks(CardKind kind, const CardBlock& block0) {
    std::vector<int> blocks;
    if (kind == CardKind::Si5) return blocks;
    const CardMemory memory{{0, block0}};
    const int count = punchCount(kind, MemoryReader(memory));
    for (int i = 1; i <= count; ++i) {
        const int block = punchOffset(kind, i) / static_cast<int>(kBlockSize);
        if (block != 0 && std::find(blocks.begin(), blocks.end(), block) == blocks.end())
            blocks.push_back(block);
    }
    return blocks;
}

CardContents decodeCard(CardKind kind, const CardMemory& memory) {
    const MemoryReader reader(memory);
    return kind == CardKind::Si5 ? decodeSi5(reader) : decodeFourByteRecords(kind, reader);
}

} // namespace ravik::station
