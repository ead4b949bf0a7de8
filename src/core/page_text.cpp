#include "core/page_text.h"

#include <algorithm>

namespace ravik {

std::string escapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string withoutControlCharacters(std::string value) {
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return value;
}

std::string separatedField(std::string value) {
    value = withoutControlCharacters(std::move(value));
    std::replace(value.begin(), value.end(), ';', ' ');
    return value;
}

} // namespace ravik
