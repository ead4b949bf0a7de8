#pragma once
// One writer per race. A program that changes a race's files holds an OS lock
// (core/platform's LockedFile) on the lock file beside the race file (race path + ".lock"), with its
// PID written in it; the system lets go of the lock when the program ends, in
// whatever way it ends. Programs that only read never take it.
//
// Use: a command that changes the race's files first calls
// `session.requireWritable()` (core/session.h), or `lockRace(path, language)`
// when it has no session, and keeps the lock until it is done.
#include "core/errors.h"
#include "core/language.h"
#include "core/platform/platform.h"

#include <string>

namespace ravik {

std::string raceLockPath(const std::string& racePath);

class RaceLock {
public:
    RaceLock() = default; // holds nothing

    // Takes the race's lock without waiting. When it is not held afterwards,
    // another program has it (holderPid) or the lock file could not be used (failure).
    static RaceLock take(const std::string& racePath);

    bool held() const { return file_.locked(); }
    const std::string& racePath() const { return racePath_; }
    // The PID of the program that holds the race; 0 when not known.
    int holderPid() const { return holderPid_; }
    // Why the lock file could not be used ("PATH.lock: Permission denied"); empty otherwise.
    const std::string& failure() const { return failure_; }

    void release();

private:
    platform::LockedFile file_;
    int holderPid_ = 0;
    std::string racePath_;
    std::string failure_;
};

// A change of the race's files refused because the race is not held.
class RaceLockedError : public IoError {
public:
    using IoError::IoError;
};

// Why a lock that is not held refuses changes: "The race is open in another
// program (PID 1234); nothing was changed. ..." or the lock file's failure.
std::string raceLockRefusal(const RaceLock& lock, Language language);

// Takes the race's lock or throws RaceLockedError with the refusal.
RaceLock lockRace(const std::string& racePath, Language language);

} // namespace ravik
