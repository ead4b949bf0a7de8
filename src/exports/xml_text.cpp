#include "exports/xml_text.h"

#include "core/cp1250.h"

namespace ravik {

std::string xmlText(std::string_view cp1250) {
    std::string out;
    for (char c : cp1250ToUtf8(cp1250)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') break;
            if (c == 0x7f) break;
            out += c;
        }
    }
    return out;
}

} // namespace ravik
