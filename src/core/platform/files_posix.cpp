// Files and folders on Linux and other POSIX systems.
#include "core/platform/files.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravik::platform {

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

FileStatus statusFrom(const struct stat& info) {
    FileStatus status;
    status.kind = S_ISREG(info.st_mode)   ? FileStatus::Kind::File
                  : S_ISDIR(info.st_mode) ? FileStatus::Kind::Folder
                                          : FileStatus::Kind::Other;
    status.isLink = S_ISLNK(info.st_mode);
    status.size = static_cast<std::int64_t>(info.st_size);
    status.modified =
        std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
    status.changed =
        std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_ctim.tv_sec) + std::chrono::nanoseconds(info.st_ctim.tv_nsec)));
    status.links = static_cast<std::uint64_t>(info.st_nlink);
    status.identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    status.mode = info.st_mode & 07777;
    status.owner = info.st_uid;
    status.group = info.st_gid;
    return status;
}

// The folder part of a path, "." for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::optional<FileStatus> statusOf(const std::string& path, Links links) {
    if (path.empty()) return std::nullopt;
    struct stat info {};
    const int result = links == Links::Follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) return std::nullopt;
    return statusFrom(info);
}

std::optional<std::vector<FolderEntry>> folderEntries(const std::string& folder) {
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return std::nullopt;
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        using Type = FolderEntry::Type;
        const Type type = entry->d_type == DT_REG       ? Type::File
                          : entry->d_type == DT_DIR     ? Type::Folder
                          : entry->d_type == DT_LNK     ? Type::Link
                          : entry->d_type == DT_UNKNOWN ? Type::Unknown
                                                        : Type::Other;
        entries.push_back({std::string(name), type});
    }
    ::closedir(directory);
    return entries;
}

bool replaceFile(const std::string& from, const std::string& to, std::string& reason) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        reason = systemReason();
        return false;
    }
    // A rename lasts a power cut only once its folder is on disk.
    if (syncFolderOf(to)) return true;
    reason = systemReason();
    return false;
}

bool syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems cannot sync a folder; theirs is as durable as it gets.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool File::open(const std::string& path, Mode mode, std::string& reason, unsigned newFileMode) {
    close();
    const int flags = mode == Mode::Read     ? O_RDONLY
                      : mode == Mode::Append ? O_WRONLY | O_CREAT | O_APPEND
                                             : O_WRONLY | O_CREAT | O_EXCL;
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, newFileMode);
    if (fd < 0) {
        reason = systemReason();
        return false;
    }
    handle_ = fd;
    return true;
}

std::optional<FileStatus> File::status() const {
    struct stat info {};
    if (handle_ < 0 || ::fstat(static_cast<int>(handle_), &info) != 0) return std::nullopt;
    return statusFrom(info);
}

std::int64_t File::readAt(std::int64_t offset, char* into, std::size_t length, std::string& reason) const {
    for (;;) {
        const ssize_t n = ::pread(static_cast<int>(handle_), into, length, static_cast<off_t>(offset));
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        reason = systemReason();
        return -1;
    }
}

bool File::write(std::string_view bytes, std::string& reason) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            reason = n < 0 ? systemReason() : "nothing written";
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool File::sync(std::string& reason) {
    if (::fsync(static_cast<int>(handle_)) == 0) return true;
    reason = systemReason();
    return false;
}

bool File::truncate(std::int64_t size, std::string& reason) {
    if (::ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) == 0) return true;
    reason = systemReason();
    return false;
}

void File::takeOwnerAndModeOf(const FileStatus& replaced) {
    const int fd = static_cast<int>(handle_);
    // Only a privileged program can give the file away; others keep their own ownership.
    if (replaced.owner != ::geteuid() || replaced.group != ::getegid()) [[maybe_unused]]
        const int ignored = ::fchown(fd, replaced.owner, replaced.group);
    ::fchmod(fd, replaced.mode);
}

bool File::close() {
    if (handle_ < 0) return true;
    const bool closed = ::close(static_cast<int>(handle_)) == 0;
    handle_ = -1;
    return closed;
}

bool processRuns(int pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

std::string programPath() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    return length > 0 && static_cast<std::size_t>(length) < sizeof buffer ? std::string(buffer, length)
                                                                          : std::string();
}

} // namespace ravik::platform
