#pragma once
// The application's state, handed to every window and command: the language,
// the open race, the competitor table and the log.
#include "core/competitor_table.h"
#include "core/language.h"
#include "core/log.h"
#include "core/race_context.h"
#include "core/race_lock.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ravik {

class Session {
public:
    Language language = Language::Czech;
    RaceContext race;
    CompetitorTable table;
    LogLines log;
    // The process's current directory when the main window was created (settings live there).
    std::string startDirectory;

    const char* text(const Text& t) const { return tr(language, t); }

    // Clears the table, writes its headings and loads the competitor file of the
    // open race (an empty table when there is none).
    void loadCompetitors();
    // Rewrites the competitor file from the table, then tells the listeners.
    // A file read in the earlier layout or not recognised is first copied beside
    // itself (NAME.zavodnici.orig-YYYYMMDD-HHMMSS); an empty table is never saved
    // over a file that was not recognised (IoError with the "not recognised" text).
    void saveCompetitors();
    // The competitor file was there but could not be read as one.
    bool competitorFileNotRecognised() const { return notRecognised_; }

    // One writer per race (core/race_lock.h). Takes the open race's lock, letting
    // go of the one held before; false when another program holds the race or the
    // lock file cannot be used: the race is then read-only here.
    bool takeRaceLock() const;
    const RaceLock& raceLock() const { return lock_; }
    // Lets other programs change the race (a later change here takes the lock again).
    void releaseRaceLock();
    // A race is open and this session may not change its files.
    bool readOnly() const;
    // The one call before changing the open race's files: throws RaceLockedError
    // (an IoError) naming the program that holds the race. A race path set without
    // taking the lock is locked here, at its first change.
    void requireWritable() const;
    // Makes this session a working copy for another thread of the program: it
    // changes the race's files under `owner`'s lock (or is refused as `owner` is)
    // instead of taking a lock of its own, which would shut `owner` out.
    void writeUnderLockOf(const Session& owner);

    // Called after every save of the competitor file.
    std::vector<std::function<void()>> competitorsSaved;

    // While one lives, saveCompetitors() only notes the save; finish() makes it
    // once (a read-out pass saves after its last slip). Left without finish() by
    // an error, the noted save waits for the next run, which writes the same cells.
    class HeldSaves {
    public:
        explicit HeldSaves(Session& session);
        ~HeldSaves();
        HeldSaves(const HeldSaves&) = delete;
        HeldSaves& operator=(const HeldSaves&) = delete;
        void finish();

    private:
        Session& session_;
        bool held_ = true;
    };

private:
    int savesHeld_ = 0;
    bool savePending_ = false;
    std::string originalToKeep_; // the competitor file to copy before it is first replaced
    bool notRecognised_ = false;
    const Text* notRecognisedText_ = nullptr; // why, for the refusal of an empty save
    // Mutable: a race set without opening is locked at its first change.
    mutable RaceLock lock_;
    mutable std::string lockTriedFor_; // the race path of the last attempt
    // Set in a working copy: empty when the owner may write, else its refusal.
    std::optional<std::string> ownersRefusal_;
};

} // namespace ravik
