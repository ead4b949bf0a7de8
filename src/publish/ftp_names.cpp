#include "publish/ftp_client.h"

namespace ravik {

bool matchesMask(const std::string& name, const std::string& mask) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    // Iterative glob with one backtracking point.
    std::size_t n = 0, m = 0, starAt = std::string::npos, matchedAt = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || lower(mask[m]) == lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starAt = m++;
            matchedAt = n;
        } else if (starAt != std::string::npos) {
            m = starAt + 1;
            n = ++matchedAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::string nameOfListingLine(const std::string& line) {
    const auto blank = line.find_last_of(' ');
    return blank == std::string::npos ? line : line.substr(blank + 1);
}

std::string shortenedName(const std::string& name) {
    constexpr std::size_t kShownBytes = 40;
    return name.size() <= kShownBytes ? name : name.substr(0, kShownBytes) + "...";
}

bool isPlainRemoteFileName(const std::string& name) {
    if (name.empty() || name == "." || name.find("..") != std::string::npos) return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c == ':' || c < 0x20 || c == 0x7f) return false;
    return true;
}

std::optional<std::string> parseTlsFingerprint(const std::string& text) {
    // openssl prints "sha256 Fingerprint=AB:CD:..."; people paste the whole line.
    const auto equals = text.find('=');
    const std::string value = equals == std::string::npos ? text : text.substr(equals + 1);
    std::string digits;
    for (char c : value) {
        if (c == ':' || c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return std::nullopt;
        digits += c;
    }
    if (digits.size() != 64) return std::nullopt;
    return digits;
}

std::string formatTlsFingerprint(const unsigned char* digest, std::size_t size) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) text += ':';
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0f];
    }
    return text;
}

} // namespace ravik
