#pragma once
// The paper the result slip is printed on: an A4 sheet or a receipt roll. Kept in
// the settings file as "A4", "80" or "58".
#include <string>
#include <string_view>

namespace ravik {

enum class PrintLayout { A4, Receipt80, Receipt58 };

inline std::string printLayoutCode(PrintLayout layout) {
    switch (layout) {
    case PrintLayout::Receipt80:
        return "80";
    case PrintLayout::Receipt58:
        return "58";
    case PrintLayout::A4:
        break;
    }
    return "A4";
}

// "80" and "58" are the rolls; anything else (an older file's missing line too) is A4.
inline PrintLayout printLayoutFromCode(std::string_view code) {
    if (code == "80") return PrintLayout::Receipt80;
    if (code == "58") return PrintLayout::Receipt58;
    return PrintLayout::A4;
}

} // namespace ravik
