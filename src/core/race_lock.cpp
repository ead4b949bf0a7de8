#include "core/race_lock.h"

#include "core/texts/core_texts.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace ravik {
namespace {

int readPid(int fd) {
    char text[16] = {};
    const ssize_t length = ::pread(fd, text, sizeof text - 1, 0);
    int pid = 0;
    for (ssize_t i = 0; i < length && text[i] >= '0' && text[i] <= '9' && pid < 100'000'000; ++i)
        pid = pid * 10 + (text[i] - '0');
    return pid;
}

// The holder writes its PID just after it took the lock: a moment's wait covers that gap.
int holderPidOf(int fd) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (const int pid = readPid(fd)) return pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

void writePid(int fd) {
    const std::string text = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
        const ssize_t written = ::pwrite(fd, text.data(), text.size(), 0);
}

} // namespace

std::string raceLockPath(const std::string& racePath) {
    return racePath + ".lock";
}

RaceLock::RaceLock(RaceLock&& other) noexcept
    : fd_(other.fd_), holderPid_(other.holderPid_), racePath_(std::move(other.racePath_)),
      failure_(std::move(other.failure_)) {
    other.fd_ = -1;
}

RaceLock& RaceLock::operator=(RaceLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        holderPid_ = other.holderPid_;
        racePath_ = std::move(other.racePath_);
        failure_ = std::move(other.failure_);
        other.fd_ = -1;
    }
    return *this;
}

RaceLock RaceLock::take(const std::string& racePath) {
    RaceLock lock;
    lock.racePath_ = racePath;
    const std::string path = raceLockPath(racePath);
    // Not inherited by programs this one starts: they must not hold the race for it.
    bool writable = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES) {
        writable = false; // another user's lock file still locks
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        lock.failure_ = path + ": " + std::strerror(errno);
        return lock;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            lock.holderPid_ = holderPidOf(fd);
        else
            lock.failure_ = path + ": " + std::strerror(errno);
        ::close(fd);
        return lock;
    }
    if (writable) writePid(fd);
    lock.fd_ = fd;
    return lock;
}

void RaceLock::release() {
    // The lock file stays: removing it could let two programs lock two different files.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string raceLockRefusal(const RaceLock& lock, Language language) {
    if (!lock.failure().empty())
        return tr(language, texts::kRaceLockFailedBefore) + lock.failure() +
               tr(language, texts::kRaceLockFailedAfter);
    const std::string pid = lock.holderPid() > 0 ? std::to_string(lock.holderPid()) : "?";
    return tr(language, texts::kRaceLockedBefore) + pid + tr(language, texts::kRaceLockedAfter);
}

RaceLock lockRace(const std::string& racePath, Language language) {
    RaceLock lock = RaceLock::take(racePath);
    if (!lock.held()) throw RaceLockedError(raceLockRefusal(lock, language));
    return lock;
}

} // namespace ravik
