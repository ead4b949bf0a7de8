#include "readout/station/si_log_append.h"

#include "core/errors.h"
#include "readout/si_log_csv.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ravik::station {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw IoError(what + " " + path + ": " + std::strerror(errno));
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A new directory entry is durable only once its folder is synced.
void syncFolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

} // namespace

void appendToSiLog(const std::string& path, const std::vector<std::string>& lines) {
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (file.get() < 0) fail("Cannot open file", path);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) fail("Cannot read file", path);
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        fail("Not a file:", path);
    }
    const off_t before = info.st_size;
    std::string bytes;
    if (before == 0) {
        bytes.append(kSiLogHeader).append("\r\n");
    } else {
        char last = '\n';
        const Descriptor reading(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (reading.get() < 0 || ::pread(reading.get(), &last, 1, before - 1) != 1)
            fail("Cannot read file", path);
        if (last != '\n') bytes.append("\r\n");
    }
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        const int error = errno;
        if (::ftruncate(file.get(), before) == 0) ::fsync(file.get());
        errno = error;
        fail("Cannot write file", path);
    }
    if (::close(file.release()) != 0) fail("Cannot write file", path);
    if (!existed) syncFolderOf(path);
}

} // namespace ravik::station
