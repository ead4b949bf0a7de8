#pragma once
// A session with an open race in a temporary folder, for the setup tests.
#include "core/race_file.h"
#include "core/session.h"
#include "setup/class_editor.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace ravik::test {

// A stage with the given class names in slots 1.. and a date, place and start.
inline RaceRecord stageWithClasses(int number, const std::vector<std::string>& names) {
    RaceRecord record;
    record.stage_number = number;
    record.stage_date = "2026-05-1" + std::to_string(number);
    record.stage_place = "Brno";
    record.stage_start = "09:00";
    record.race_name = "Spring Cup";
    for (std::size_t slot = 0; slot < names.size(); ++slot)
        record.classes[slot].class_name = names[slot];
    return record;
}

struct OpenRace {
    TempFolder folder;
    Session session;
    ScriptedPrompt prompt;
    ClassEditor editor{session, prompt};

    explicit OpenRace(const std::vector<RaceRecord>& stages) {
        session.race.setRacePath(folder.file("Spring.ravik"));
        std::string bytes;
        for (const RaceRecord& record : stages)
            bytes += encodeRaceRecord(record);
        writeFile(path(), bytes);
    }
    const std::string& path() const { return session.race.racePath(); }
    RaceRecord stage(int n) const { return readStage(path(), n); }
};

} // namespace ravik::test
