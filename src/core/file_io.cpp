#include "core/file_io.h"

#include "core/errors.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ravik {
namespace fs = std::filesystem;

namespace {
std::string systemReason() {
    return std::strerror(errno);
}
} // namespace

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::u8path(path), ec);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::u8path(path), ec);
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(fs::u8path(path), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

std::string readWholeFile(const std::string& path, std::int64_t maxBytes) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) throw IoError("Cannot open file " + path, systemReason());
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) throw IoError("Cannot read file " + path, systemReason());
    if (size > maxBytes)
        throw IoError("Cannot read file " + path,
                      "larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB");
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(bytes.data(), size)) throw IoError("Cannot read file " + path, systemReason());
    return bytes;
}

namespace {

constexpr const char* kTemporaryMarker = ".tmp";

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937 generator{std::random_device{}()};
    return path + kTemporaryMarker + std::to_string(::getpid()) + "_" + std::to_string(generator() % 1000000);
}

// The folder part of a path, "." for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A rename lasts a power cut only once its folder is on disk.
void syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw IoError("Cannot replace file " + path, systemReason());
    // Some file systems cannot sync a folder; theirs is as durable as it gets.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const std::string reason = synced ? std::string() : systemReason();
    ::close(fd);
    if (!synced) throw IoError("Cannot replace file " + path, reason);
}

// Every replacement of a file goes through here: the caller has synced `from`.
void renameDurably(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw IoError("Cannot replace file " + to, systemReason());
    syncFolderOf(to);
}

// The file a path names with its symbolic links followed, so that a rewrite
// replaces the link's target and keeps the link; a dangling link names the file
// it would point to.
std::string followedLinks(const std::string& path) {
    fs::path current = fs::u8path(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) break;
        const fs::path link = fs::read_symlink(current, ec);
        if (ec) break;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return current.string();
}

// A temporary file that is removed unless it was renamed over its target. It is
// created readable by its owner only and gets the mode of the file it replaces
// (or newFileMode for a new file) just before it takes its place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& target, unsigned newFileMode)
        : target_(followedLinks(target)), path_(temporaryNameBeside(target_)) {
        struct stat existing {};
        replaces_ = ::stat(target_.c_str(), &existing) == 0;
        if (replaces_) replaced_ = existing;
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              replaces_ ? S_IRUSR | S_IWUSR : newFileMode);
        if (fd < 0) throw IoError("Cannot write file " + target, systemReason());
        file_ = ::fdopen(fd, "wb");
        if (!file_) {
            const std::string reason = systemReason();
            ::close(fd);
            std::remove(path_.c_str());
            throw IoError("Cannot write file " + target, reason);
        }
    }
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (!committed_) std::remove(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) {
        if (bytes.empty()) return;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
            throw IoError("Cannot write file " + target_, systemReason());
    }

    void commit() {
        const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
        if (flushed && replaces_) keepReplacedOwnerAndMode();
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed || !closed) throw IoError("Cannot write file " + target_, systemReason());
        renameDurably(path_, target_);
        committed_ = true;
    }

private:
    void keepReplacedOwnerAndMode() {
        const int fd = ::fileno(file_);
        // Only a privileged program can give the file away; others keep their own ownership.
        if (replaced_.st_uid != ::geteuid() || replaced_.st_gid != ::getegid()) [[maybe_unused]]
            const int ignored = ::fchown(fd, replaced_.st_uid, replaced_.st_gid);
        ::fchmod(fd, replaced_.st_mode & 07777);
    }

    std::string target_;
    std::string path_;
    std::FILE* file_ = nullptr;
    bool replaces_ = false;
    struct stat replaced_ {};
    bool committed_ = false;
};

// "NAME.tmp<pid>_<n>": the pid of the writer, or 0 when the name is not one of ours.
pid_t writerOfTemporaryName(const std::string& name) {
    const std::size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string::npos || marker == 0) return 0;
    const std::string_view tail = std::string_view(name).substr(marker + std::strlen(kTemporaryMarker));
    const std::size_t underscore = tail.find('_');
    if (underscore == 0 || underscore == std::string_view::npos || underscore + 1 == tail.size() ||
        underscore > 9)
        return 0;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (i != underscore && (tail[i] < '0' || tail[i] > '9')) return 0;
    return static_cast<pid_t>(std::stol(std::string(tail.substr(0, underscore))));
}

bool processRuns(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
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
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return removed;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        const pid_t writer = writerOfTemporaryName(name);
        if (writer <= 0 || processRuns(writer)) continue;
        const std::string path = folder + name;
        struct stat info {};
        // A file written just now may belong to a program on another computer sharing the folder.
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            now - info.st_mtime < kStaleTemporaryFileSeconds)
            continue;
        if (::unlink(path.c_str()) == 0) removed.push_back(path);
    }
    ::closedir(directory);
    return removed;
}

void ensureFolder(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(fs::u8path(path), ec)) return;
    fs::create_directories(fs::u8path(path), ec);
    if (ec) throw IoError("Cannot create folder " + path, ec.message());
}

} // namespace ravik
