#pragma once
// The user-interface language: Czech ("CZE") or English ("GBR").
#include <string>
#include <string_view>

namespace ravik {

enum class Language { Czech, English };

inline std::string languageCode(Language language) { return language == Language::English ? "GBR" : "CZE"; }

// "GBR" is English; every other code (including "CZE" and anything unknown) is Czech.
inline Language languageFromCode(std::string_view code) {
    return code == "GBR" ? Language::English : Language::Czech;
}

// A text with its Czech and English wording, in UTF-8. A text with one wording
// has the same text twice.
struct Text {
    const char* cze;
    const char* gbr;
};

inline const char* tr(Language language, const Text& text) {
    return language == Language::English ? text.gbr : text.cze;
}

} // namespace ravik
