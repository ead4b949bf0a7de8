#pragma once
// The one place where the program calls the operating system. Everything else
// uses these plain functions; posix.cpp and win32.cpp implement them, and the
// build compiles the one of the system it builds for. Paths are UTF-8.
#include <atomic>
#include <cstddef>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace ravik::platform {

// The calendar time of the moment in the computer's time zone (with its summer time).
std::tm localTime(std::time_t moment);
// The calendar time of the moment in UTC; false when the system cannot convert it.
bool utcTime(std::time_t moment, std::tm& utc);

// The local calendar time now.
inline std::tm localNow() {
    return localTime(std::time(nullptr));
}

// This program's process id.
int currentProcessId();

// Whether the program runs with the system's highest rights (root).
bool runsAsRoot();

// The program's arguments (without its own name) in UTF-8: Windows hands main()
// them in its code page, so they are taken from the system there. Also makes the
// console show the program's UTF-8 output, and lets its output bytes through
// unchanged (no "\r" added before "\n").
std::vector<std::string> programArguments(int argc, char** argv);

// While it lives, Ctrl+C (and on POSIX a plain kill) sets `requested` instead of
// ending the program, so that a long command can stop between two steps. One at a time.
class InterruptCatcher {
public:
    explicit InterruptCatcher(std::atomic<bool>& requested);
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;
};

// A file held open under an exclusive lock that the system lets go of when the
// program ends, however it ends (flock / LockFileEx); programs this one starts
// do not inherit it. The race lock is one.
class LockedFile {
public:
    enum class Outcome { Locked, HeldElsewhere, Failed };

    LockedFile() = default;
    ~LockedFile() { close(); }
    LockedFile(LockedFile&& other) noexcept { *this = std::move(other); }
    LockedFile& operator=(LockedFile&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, -1);
            writable_ = other.writable_;
            locked_ = std::exchange(other.locked_, false);
        }
        return *this;
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Opens the file (created when missing; only for reading when it belongs to
    // another user, which still locks) and tries the lock without waiting. With
    // HeldElsewhere the file stays open for reading until close(); with Failed,
    // `reason` is the system's.
    Outcome open(const std::string& path, std::string& reason);
    bool locked() const { return locked_; }
    // The first bytes of the file, also while another program holds the lock.
    std::string readStart(std::size_t count) const;
    // Replaces the file's content (when it could be opened for writing).
    void replaceContent(const std::string& text);
    void close();

private:
    long long handle_ = -1; // a file descriptor or a HANDLE
    bool writable_ = false;
    bool locked_ = false;
};

} // namespace ravik::platform
