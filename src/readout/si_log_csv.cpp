#include "readout/si_log_csv.h"

namespace ravik {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

enum class CharacterKind : unsigned char { Text, Semicolon, Binary };

// Control characters other than tab, and DEL, mean the line is not text.
constexpr auto kCharacterKinds = [] {
    std::array<CharacterKind, 256> kinds{};
    for (int c = 0; c < 0x20; ++c)
        kinds[c] = CharacterKind::Binary;
    kinds['\t'] = CharacterKind::Text;
    kinds[0x7f] = CharacterKind::Binary;
    kinds[';'] = CharacterKind::Semicolon;
    return kinds;
}();

std::optional<int> controlCodeOf(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > kMaxControlCode) return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int64_t> cardNumberOf(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::int64_t value = 0;
    int digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (++digits > 18) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    return value;
}

SiLogLine parseSiLogLine(std::string_view line) {
    SiLogLine parsed;
    if (line == kSiLogHeader) {
        parsed.kind = SiLogLineKind::Header;
        return parsed;
    }
    if (line.empty()) {
        parsed.kind = SiLogLineKind::Blank;
        return parsed;
    }
    if (line.size() > kMaxSiLogLineLength) return parsed;
    // One scan: the first nine ";", and whether the line holds anything but text.
    std::size_t semicolons[kSiLogFields - 1];
    int count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const CharacterKind kind = kCharacterKinds[static_cast<unsigned char>(line[i])];
        if (kind == CharacterKind::Text) continue;
        if (kind == CharacterKind::Binary) return parsed;
        if (count < kSiLogFields - 1) semicolons[count++] = i;
    }
    if (count >= 1) {
        const std::size_t secondEnd = count >= 2 ? semicolons[1] : line.size();
        if (line.substr(semicolons[0] + 1, secondEnd - semicolons[0] - 1) == "SI-Card") {
            parsed.kind = SiLogLineKind::HeaderLike;
            return parsed;
        }
    }
    if (count < kSiLogFields - 1 || line.back() != ';') return parsed;
    std::size_t begin = 0;
    for (int field = 0; field < kSiLogFields - 1; ++field) {
        parsed.fields[field] = line.substr(begin, semicolons[field] - begin);
        begin = semicolons[field] + 1;
    }
    // Field 10 runs to the final ";"; with only nine ";" it is empty.
    parsed.fields[kSiLogFields - 1] = begin < line.size() ? line.substr(begin, line.size() - 1 - begin) : "";
    const auto card = cardNumberOf(parsed.fields[silog::kCard]);
    if (!card) return parsed;
    parsed.card = *card;
    const std::string_view code = parsed.fields[silog::kCode];
    if (!code.empty()) {
        parsed.code = controlCodeOf(code);
        if (!parsed.code) return parsed;
    }
    parsed.kind = SiLogLineKind::Punch;
    return parsed;
}

std::string joinSiLogFields(const std::array<std::string, kSiLogFields>& fields) {
    std::string line;
    for (const auto& field : fields) {
        line += field;
        line += ';';
    }
    return line;
}

} // namespace ravik
