#include "core/race_lock.h"

#include "core/platform/platform.h"
#include "core/texts/core_texts.h"

#include <chrono>
#include <thread>

namespace ravik {
namespace {

int pidOf(const std::string& text) {
    int pid = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && pid < 100'000'000; ++i)
        pid = pid * 10 + (text[i] - '0');
    return pid;
}

// The holder writes its PID just after it took the lock: a moment's wait covers that gap.
int holderPidOf(const platform::LockedFile& file) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (const int pid = pidOf(file.readStart(15))) return pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

} // namespace

std::string raceLockPath(const std::string& racePath) {
    return racePath + ".lock";
}

RaceLock RaceLock::take(const std::string& racePath) {
    RaceLock lock;
    lock.racePath_ = racePath;
    const std::string path = raceLockPath(racePath);
    std::string reason;
    switch (lock.file_.open(path, reason)) {
    case platform::LockedFile::Outcome::Locked:
        lock.file_.replaceContent(std::to_string(platform::currentProcessId()) + "\n");
        break;
    case platform::LockedFile::Outcome::HeldElsewhere:
        lock.holderPid_ = holderPidOf(lock.file_);
        lock.file_.close();
        break;
    case platform::LockedFile::Outcome::Failed:
        lock.failure_ = path + ": " + reason;
        break;
    }
    return lock;
}

void RaceLock::release() {
    // The lock file stays: removing it could let two programs lock two different files.
    file_.close();
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
