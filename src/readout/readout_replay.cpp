#include "readout/readout_replay.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/opened_file.h"
#include "readout/log_position.h"

#include "core/platform/files.h"

#include <chrono>

namespace ravik {

namespace {

constexpr std::string_view kFirstLine = "ravik readout replay 1\n";
constexpr std::string_view kLinesFollow = "--\n";
// A file or folder changed more recently than this may change again within the
// same tick of its modification time.
constexpr auto kSettled = std::chrono::seconds(2);
// Far beyond the lines of any pass.
constexpr std::int64_t kMaxReplayBytes = 64 * 1024 * 1024;

std::string timeText(std::chrono::system_clock::time_point time) {
    return std::to_string(
        std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count());
}

std::optional<std::chrono::system_clock::time_point> folderModified(const std::string& folder) {
    const auto status = platform::statusOf(folder);
    if (!status || status->kind != platform::FileStatus::Kind::Folder) return std::nullopt;
    return status->modified;
}

} // namespace

std::optional<std::string> readoutInputs(const ReadoutOptions& options, const CompetitorTable& table,
                                         Language language) {
    const auto now = std::chrono::system_clock::now();
    const auto folder = folderModified(options.stageFolder);
    if (!folder || now - *folder < kSettled) return std::nullopt;
    try {
        const OpenedFile log(options.logPath);
        if (now - log.modified() < kSettled) return std::nullopt;
        const LogPosition position = positionIn(options.logPath, log, static_cast<std::uint64_t>(log.size()));
        std::string cells;
        for (int row = 1; row < table.rowCount(); ++row)
            cells.append(table.cell(row, column::kId))
                .append(1, '\0')
                .append(table.cell(row, column::kSi))
                .append(1, '\n');
        return "log " + options.logPath + " " + std::to_string(position.identity.device) + " " +
               std::to_string(position.identity.inode) + " " + std::to_string(position.offset) + " " +
               timeText(position.modified) + " " + std::to_string(position.headChecksum) + " " +
               std::to_string(position.tailChecksum) + "\nfolder " + options.stageFolder + " " +
               timeText(*folder) + "\ntable " + std::to_string(table.rowCount()) + " " +
               std::to_string(checksumOf(cells)) + "\noptions " +
               (options.rewriteDate ? "1 " + options.raceDate : "0") + " " +
               std::string(languageCode(language)) + "\n";
    } catch (const IoError&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::string>> keptReadout(const std::string& replayPath,
                                                    const std::string& inputs) {
    std::string bytes;
    try {
        if (!fileExists(replayPath)) return std::nullopt;
        bytes = readWholeFile(replayPath, kMaxReplayBytes);
    } catch (const IoError&) {
        return std::nullopt; // a cache only: the pass runs
    }
    const std::string head = std::string(kFirstLine) + inputs + std::string(kLinesFollow);
    if (!bytes.starts_with(head)) return std::nullopt;
    std::vector<std::string> lines;
    for (std::size_t begin = head.size(); begin < bytes.size();) {
        const std::size_t end = bytes.find('\n', begin);
        if (end == std::string::npos) return std::nullopt; // cut short
        lines.push_back(bytes.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

void keepReadout(const std::string& replayPath, const std::string& inputs,
                 const std::vector<std::string>& lines) {
    std::string bytes = std::string(kFirstLine) + inputs + std::string(kLinesFollow);
    for (const std::string& line : lines) {
        if (line.find('\n') != std::string::npos) return; // would not read back as one line
        bytes.append(line).append(1, '\n');
    }
    try {
        if (fileExists(replayPath) && readWholeFile(replayPath, kMaxReplayBytes) == bytes) return;
        writeFileAtomically(replayPath, bytes);
    } catch (const IoError&) {
        // Without it the next run reads the log, as always.
    }
}

std::string readoutReplayPath(const std::string& racePath) {
    const std::size_t slash = racePath.rfind('/');
    const std::size_t dot = racePath.rfind('.');
    const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? racePath.substr(0, dot)
                                 : racePath;
    return base + ".readout";
}

} // namespace ravik
