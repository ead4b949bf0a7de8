#include "core/opened_file.h"

#include "core/errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravik {

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

} // namespace

OpenedFile::OpenedFile(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw IoError("Cannot open file " + path, systemReason());
    struct stat info {};
    const bool examined = ::fstat(fd_, &info) == 0;
    if (!examined || !S_ISREG(info.st_mode)) {
        const std::string reason = examined ? "not a file" : systemReason();
        ::close(fd_);
        throw IoError("Cannot read file " + path, reason);
    }
    identity_ = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    size_ = static_cast<std::int64_t>(info.st_size);
}

std::chrono::system_clock::time_point OpenedFile::modified() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return std::chrono::system_clock::time_point::max(); // as if just written
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
}

OpenedFile::~OpenedFile() {
    if (fd_ >= 0) ::close(fd_);
}

void OpenedFile::readAt(std::int64_t offset, std::size_t length, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd_, out.data() + start + done, length - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string reason = n < 0 ? systemReason() : "the file is shorter than expected";
            out.resize(start);
            throw IoError("Cannot read file " + path_, reason);
        }
        done += static_cast<std::size_t>(n);
    }
}

std::uint64_t checksumOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace ravik
