#include "readout/station/si_log_append.h"

#include "core/errors.h"
#include "readout/si_log_csv.h"

#include "core/platform/files.h"

namespace ravik::station {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path, const std::string& reason) {
    throw IoError(what + " " + path + ": " + reason);
}

} // namespace

void appendToSiLog(const std::string& path, const std::vector<std::string>& lines) {
    const bool existed = platform::statusOf(path).has_value();
    platform::File file;
    std::string reason;
    if (!file.open(path, platform::File::Mode::Append, reason, 0644)) fail("Cannot open file", path, reason);
    const auto status = file.status();
    if (!status) fail("Cannot read file", path, "cannot examine the file");
    if (status->kind != platform::FileStatus::Kind::File) fail("Not a file:", path, "Invalid argument");
    const std::int64_t before = status->size;
    std::string bytes;
    if (before == 0) {
        bytes.append(kSiLogHeader).append("\r\n");
    } else {
        char last = '\n';
        platform::File reading;
        if (!reading.open(path, platform::File::Mode::Read, reason) ||
            reading.readAt(before - 1, &last, 1, reason) != 1)
            fail("Cannot read file", path, reason.empty() ? "the file is shorter than expected" : reason);
        if (last != '\n') bytes.append("\r\n");
    }
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    if (!file.write(bytes, reason) || !file.sync(reason)) {
        // Take back a half-written card: the log stays as it was.
        std::string ignored;
        if (file.truncate(before, ignored)) file.sync(ignored);
        fail("Cannot write file", path, reason);
    }
    if (!file.close()) fail("Cannot write file", path, "the file could not be closed");
    // A new file's entry is durable only once its folder is synced.
    if (!existed) platform::syncFolderOf(path);
}

} // namespace ravik::station
