#include "readout/text_lines.h"

#include "core/file_io.h"

namespace ravik {

namespace {
// Far beyond any real punch or timed-control file; a larger one is damaged.
constexpr std::int64_t kMaxCompetitorFileBytes = 16 * 1024 * 1024;
} // namespace

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string readCompetitorFile(const std::string& path) {
    if (!fileExists(path)) return {};
    return readWholeFile(path, kMaxCompetitorFileBytes);
}

} // namespace ravik
