// The platform layer on Linux and other POSIX systems.
#include "core/platform/platform.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ravik::platform {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    return local;
}

bool utcTime(std::time_t moment, std::tm& utc) {
    return ::gmtime_r(&moment, &utc) != nullptr;
}

int currentProcessId() {
    return static_cast<int>(::getpid());
}

bool runsAsRoot() {
    return ::geteuid() == 0;
}

std::vector<std::string> programArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

namespace {
std::atomic<bool>* interruptFlag = nullptr;
struct sigaction previousInt {
}, previousTerm{};

void onInterrupt(int) {
    if (interruptFlag) *interruptFlag = true;
}
} // namespace

InterruptCatcher::InterruptCatcher(std::atomic<bool>& requested) {
    interruptFlag = &requested;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInt);
    ::sigaction(SIGTERM, &action, &previousTerm);
}

InterruptCatcher::~InterruptCatcher() {
    ::sigaction(SIGINT, &previousInt, nullptr);
    ::sigaction(SIGTERM, &previousTerm, nullptr);
    interruptFlag = nullptr;
}

LockedFile::Outcome LockedFile::open(const std::string& path, std::string& reason) {
    close();
    writable_ = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES) {
        writable_ = false;
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        reason = std::strerror(errno);
        return Outcome::Failed;
    }
    handle_ = fd;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        locked_ = true;
        return Outcome::Locked;
    }
    if (errno == EWOULDBLOCK) return Outcome::HeldElsewhere;
    reason = std::strerror(errno);
    close();
    return Outcome::Failed;
}

std::string LockedFile::readStart(std::size_t count) const {
    if (handle_ < 0) return {};
    std::string text(count, '\0');
    const ssize_t length = ::pread(static_cast<int>(handle_), text.data(), count, 0);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

void LockedFile::replaceContent(const std::string& text) {
    if (handle_ < 0 || !writable_) return;
    const int fd = static_cast<int>(handle_);
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
        const ssize_t written = ::pwrite(fd, text.data(), text.size(), 0);
}

void LockedFile::close() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = -1;
    locked_ = false;
}

} // namespace ravik::platform
