#pragma once
// Opening the race a ravik-cli command works on, with the error lines every
// command prints when the race file or the stage is missing.
#include "core/language.h"
#include "core/session.h"

#include <optional>
#include <ostream>
#include <string>

namespace ravik::cli {

// Prints "ravik-cli: no race file PATH" to `err` when there is no such file.
bool raceFileFound(const std::string& racePath, std::ostream& err);

// The number the stage text writes plainly ("2", not "02" or "x"); nullopt otherwise.
std::optional<int> plainStageNumber(const std::string& stageText);

// The stage the text writes plainly when it is from 1 to the race's stage count
// and at most kMaxStages; 0 otherwise.
int stageOfRace(const std::string& racePath, const std::string& stageText);

struct RaceToOpen {
    std::string racePath{};
    std::optional<std::string> stage{}; // checked against the race and made current when given
    Language language = Language::Czech;
    // False when the command itself tells a stage beyond the race: the stage is then
    // only checked to be written plainly.
    bool stageWithinRace = true;
    // The command changes the race's files: the session takes the race's lock
    // first, and a competitor file that is not recognised stops the command.
    bool changesFiles = false;
    // With changesFiles: a command whose purpose is its own output (a slip, an
    // export) goes on when another program holds the race, scoring in memory and
    // writing nothing of the race.
    bool readsWhenHeld = false;
};

// Removes the temporary files that killed writers left in the race's folders,
// saying how many on `err`; for a command that holds the race.
void cleanStaleTemporaryFiles(const RaceContext& race, Language language, std::ostream& err);

// The session of the race with its competitors loaded; nullopt, after the error
// line, when the race file or the stage is missing, when another program holds a
// race the command would change, or when the competitor file of such a race is
// not recognised. A race the command changes is cleared of stale temporary files.
std::optional<Session> openRace(const RaceToOpen& race, std::ostream& err);

// Prints the log lines so far to `out`, then every new one as it is written.
void echoLog(Session& session, std::ostream& out);

} // namespace ravik::cli
