#include "entries/closest_cp1250.h"

#include "core/cp1250.h"

namespace ravik {
namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F; '?' where there is none.
constexpr std::string_view kLatin1Letters = "AAAAAA?CEEEEIIIIDNOOOOO?OUUUUY??"
                                            "aaaaaa?ceeeeiiiidnooooo?ouuuuy?y";
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi?"
    "?JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

std::string_view multiLetter(char32_t c) {
    switch (c) {
    case 0x00C6:
        return "AE";
    case 0x00E6:
        return "ae";
    case 0x00DE:
        return "TH";
    case 0x00FE:
        return "th";
    case 0x0132:
        return "IJ";
    case 0x0133:
        return "ij";
    case 0x0152:
        return "OE";
    case 0x0153:
        return "oe";
    default:
        return {};
    }
}

std::string asciiFallback(char32_t c) {
    if (auto letters = multiLetter(c); !letters.empty()) return std::string(letters);
    if (c >= 0x00C0 && c <= 0x00FF) return std::string(1, kLatin1Letters[c - 0x00C0]);
    if (c >= 0x0100 && c <= 0x017F) return std::string(1, kLatinExtendedA[c - 0x0100]);
    return "?";
}

// One code point from text[i] on (advancing i); nullopt-like 0xFFFFFFFF when malformed.
constexpr char32_t kMalformed = 0xFFFFFFFF;
char32_t decode(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0)
        extra = 1, c = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0)
        extra = 2, c = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0)
        extra = 3, c = lead & 0x07;
    else
        return kMalformed;
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return kMalformed;
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return c;
}

} // namespace

std::string utf8ToCp1250Closest(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t begin = i;
        const char32_t c = decode(utf8, i);
        if (c == kMalformed || c > 0x10FFFF) {
            out += '?';
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0x0300 && c <= 0x036F) {
            // A combining accent: the letter before it stands already.
        } else {
            const std::string direct = utf8ToCp1250(utf8.substr(begin, i - begin));
            out += direct == "?" ? asciiFallback(c) : direct;
        }
    }
    return out;
}

} // namespace ravik
