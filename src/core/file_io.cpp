#include "core/file_io.h"

#include "core/errors.h"
#include "core/platform/files.h"
#include "core/platform/platform.h"

#include <cstring>
#include <filesystem>
#include <random>

namespace ravik {
namespace fs = std::filesystem;
using platform::pathOf;

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(pathOf(path), ec);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(pathOf(path), ec);
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(pathOf(path), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

std::string readWholeFile(const std::string& path, std::int64_t maxBytes) {
    platform::File file;
    std::string reason;
    if (!file.open(path, platform::File::Mode::Read, reason))
        throw IoError("Cannot open file " + path, reason);
    const auto status = file.status();
    if (!status) throw IoError("Cannot read file " + path, "cannot examine the file");
    if (status->kind == platform::FileStatus::Kind::Folder)
        throw IoError("Cannot read file " + path, "a folder");
    const auto tooLarge = [&] {
        return IoError("Cannot read file " + path,
                       "larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB");
    };
    if (status->size > maxBytes) throw tooLarge();
    // Read to the end rather than to the size seen: the file may grow meanwhile.
    std::string bytes(static_cast<std::size_t>(status->size), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (static_cast<std::int64_t>(bytes.size()) >= maxBytes) break;
            bytes.resize(bytes.size() + 64 * 1024);
        }
        const std::int64_t n =
            file.readAt(static_cast<std::int64_t>(done), bytes.data() + done, bytes.size() - done, reason);
        if (n < 0) throw IoError("Cannot read file " + path, reason);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    if (static_cast<std::int64_t>(done) > maxBytes) throw tooLarge(); // it grew while read
    return bytes;
}

namespace {

constexpr const char* kTemporaryMarker = ".tmp";

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937 generator{std::random_device{}()};
    return path + kTemporaryMarker + std::to_string(platform::currentProcessId()) + "_" +
           std::to_string(generator() % 1000000);
}

// The file a path names with its symbolic links followed, so that a rewrite
// replaces the link's target and keeps the link; a dangling link names the file
// it would point to.
std::string followedLinks(const std::string& path) {
    fs::path current = pathOf(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) break;
        const fs::path link = fs::read_symlink(current, ec);
        if (ec) break;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return platform::utf8Of(current);
}

// A temporary file that is removed unless it was renamed over its target. It is
// created readable by its owner only and gets the mode of the file it replaces
// (or newFileMode for a new file) just before it takes its place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& target, unsigned newFileMode)
        : target_(followedLinks(target)), path_(temporaryNameBeside(target_)) {
        replaced_ = platform::statusOf(target_);
        std::string reason;
        if (!file_.open(path_, platform::File::Mode::CreateNew, reason, replaced_ ? 0600 : newFileMode))
            throw IoError("Cannot write file " + target, reason);
    }
    ~TemporaryFile() {
        file_.close();
        if (!committed_) platform::removeFile(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Pieces are gathered so that the system sees few large writes.
    void write(std::string_view bytes) {
        buffer_.append(bytes);
        if (buffer_.size() >= kBufferBytes) flush();
    }

    void commit() {
        flush();
        std::string reason;
        if (!file_.sync(reason)) throw IoError("Cannot write file " + target_, reason);
        if (replaced_) file_.takeOwnerAndModeOf(*replaced_);
        if (!file_.close()) throw IoError("Cannot write file " + target_, "the file could not be closed");
        if (!platform::replaceFile(path_, target_, reason))
            throw IoError("Cannot replace file " + target_, reason);
        committed_ = true;
    }

private:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    void flush() {
        std::string reason;
        if (!buffer_.empty() && !file_.write(buffer_, reason))
            throw IoError("Cannot write file " + target_, reason);
        buffer_.clear();
    }

    std::string target_;
    std::string path_;
    platform::File file_;
    std::string buffer_;
    std::optional<platform::FileStatus> replaced_;
    bool committed_ = false;
};

// "NAME.tmp<pid>_<n>": the pid of the writer, or 0 when the name is not one of ours.
int writerOfTemporaryName(const std::string& name) {
    const std::size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string::npos || marker == 0) return 0;
    const std::string_view tail = std::string_view(name).substr(marker + std::strlen(kTemporaryMarker));
    const std::size_t underscore = tail.find('_');
    if (underscore == 0 || underscore == std::string_view::npos || underscore + 1 == tail.size() ||
        underscore > 9)
        return 0;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (i != underscore && (tail[i] < '0' || tail[i] > '9')) return 0;
    return static_cast<int>(std::stol(std::string(tail.substr(0, underscore))));
}

} // namespace

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                         unsigned newFileMode) {
    TemporaryFile temporary(path, newFileMode);
    produce([&](std::string_view bytes) { temporary.write(bytes); });
    temporary.commit();
}

void writeFileAtomically(const std::string& path, std::string_view bytes, unsigned newFileMode) {
    writeFileAtomically(
        path, [&](const ByteSink& sink) { sink(bytes); }, newFileMode);
}

std::vector<std::string> removeStaleTemporaryFiles(const std::string& folder) {
    std::vector<std::string> removed;
    const auto entries = platform::folderEntries(folder);
    if (!entries) return removed;
    const auto now = std::chrono::system_clock::now();
    for (const auto& [name, type] : *entries) {
        const int writer = writerOfTemporaryName(name);
        if (writer <= 0 || platform::processRuns(writer)) continue;
        const std::string path = folder + name;
        const auto status = platform::statusOf(path, platform::Links::DoNotFollow);
        // A file written just now may belong to a program on another computer sharing the folder.
        if (!status || status->kind != platform::FileStatus::Kind::File || status->isLink ||
            now - status->modified < std::chrono::seconds(kStaleTemporaryFileSeconds))
            continue;
        if (platform::removeFile(path)) removed.push_back(path);
    }
    return removed;
}

void ensureFolder(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(pathOf(path), ec)) return;
    fs::create_directories(pathOf(path), ec);
    if (ec) throw IoError("Cannot create folder " + path, ec.message());
}

} // namespace ravik
