#pragma once
// Opening an existing race and creating a new one (main window "..." and "Nový").
#include "core/language.h"
#include "core/log.h"
#include "core/race_context.h"
#include "core/race_record.h"

#include <functional>
#include <string>

namespace ravik {

class Session;

enum class RaceNaming {
    Open, // ".ravik" appended unless the name ends exactly in "ravik" (case-sensitive)
    New,  // ".ravik" always appended
};

std::string racePathFor(const std::string& chosenName, RaceNaming naming);

struct OpenedRace {
    int stageCount = 0;
    bool created = false;  // the race file did not exist and was made with one stage
    bool readOnly = false; // another program holds the race: nothing is changed from here
};

// Everything after the file dialog: the race path, the competitor table cleared,
// the class editor reloaded (`reloadEditor`, before the file is created, as the
// program does it), the competitor file loaded, the race file created with one
// empty stage when missing. The session's current stage stays unless the race
// has no such stage; then it becomes "1". Throws IoError when the race file
// exists but holds no whole stage.
// The session takes the race's lock; when another program holds it, the race
// opens read-only and the log says so. Temporary files that killed writers left
// in the race folder and the stage folders are removed.
OpenedRace openRace(Session& session, const std::string& chosenName, RaceNaming naming,
                    const std::function<void()>& reloadEditor = {});

// Removes the temporary files that writers killed before their rename left in
// the race folder and the stage folders (core/file_io.h tells which), and logs
// how many there were. Every command that changes the race's files runs it once
// it holds the race.
void removeStaleTemporaryFilesOfRace(const RaceContext& race, Log& log, Language language);

// The record a new race starts with: empty, stage number 1.
RaceRecord newRaceFirstStage();

} // namespace ravik
