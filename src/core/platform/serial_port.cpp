// What the POSIX and the Win32 serial port share: plain text work, no system calls.
#include "core/platform/serial_port.h"

#include <algorithm>
#include <cctype>

namespace ravik::platform {

namespace {

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Four hexadecimal digits after `tag` ("VID_"), anywhere in the text.
std::optional<unsigned> hexAfter(std::string_view text, std::string_view tag) {
    std::string upperText(text);
    std::transform(upperText.begin(), upperText.end(), upperText.begin(), upper);
    const std::size_t at = upperText.find(tag);
    if (at == std::string::npos || at + tag.size() + 4 > upperText.size()) return std::nullopt;
    unsigned value = 0;
    for (const char c : std::string_view(upperText).substr(at + tag.size(), 4)) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return value;
}

} // namespace

std::string windowsDevicePath(const std::string& name) {
    std::string bare = name;
    if (bare.size() > 1 && bare.back() == ':') bare.pop_back(); // "COM5:", as old programs wrote it
    if (bare.empty() || bare.find_first_of("\\/:") != std::string::npos) return name;
    return "\\\\.\\" + bare;
}

std::optional<UsbIds> usbIdsOfHardwareId(std::string_view hardwareId) {
    const auto vendor = hexAfter(hardwareId, "VID_");
    const auto product = hexAfter(hardwareId, "PID_");
    if (!vendor || !product) return std::nullopt;
    return UsbIds{*vendor, *product};
}

} // namespace ravik::platform
