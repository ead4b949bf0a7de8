#include "core/text_fill.h"

namespace ravik {

std::string fillIn(std::string message, const std::vector<std::string>& values) {
    std::string filled;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const char next = i + 1 < message.size() ? message[i + 1] : '\0';
        if (message[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < values.size()) {
            filled += values[next - '1'];
            ++i;
        } else {
            filled += message[i];
        }
    }
    return filled;
}

} // namespace ravik
