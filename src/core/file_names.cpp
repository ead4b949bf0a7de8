#include "core/file_names.h"

#include "core/file_io.h"

#include <cstdint>
#include <cstdio>

namespace ravik {

std::string fileNameSafe(std::string text) {
    for (char& c : text)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' ||
            c == '"' || c == '\'' || c == '&')
            c = '_';
    return text;
}

// Linux allows 255 bytes in a name (NAME_MAX), Windows 255 UTF-16 units, which
// are never more than the name's UTF-8 bytes.
constexpr std::size_t kMaxNameBytes = 255;

std::size_t maxFileNameBytes() {
    return kMaxNameBytes - kTemporaryNameExtraBytes;
}

std::string fittedFileName(std::string_view prefix, std::string_view part, std::string_view extension) {
    std::string name = std::string(prefix).append(part).append(extension);
    if (name.size() <= maxFileNameBytes()) return name;
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : part)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "~%08x", hash);
    const std::size_t room = maxFileNameBytes() - prefix.size() - extension.size() - 9;
    std::size_t keep = std::min(room, part.size());
    // Never in the middle of a UTF-8 character.
    while (keep > 0 && keep < part.size() && (static_cast<unsigned char>(part[keep]) & 0xC0) == 0x80)
        --keep;
    return std::string(prefix).append(part.substr(0, keep)).append(suffix).append(extension);
}

} // namespace ravik
