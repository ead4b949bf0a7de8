#pragma once
// The race the command-line export tests share: two stages (2024-05-04 and
// 2024-05-05, zero time 10:00) of the classes named, each with two controls
// (answers A at 31 and B at 42) and a limit of 60 minutes, and both stage folders.
#include "core/race_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ravik::test {

inline void createTwoStageRace(const std::string& racePath, const std::vector<std::string>& classNames) {
    RaceRecord record;
    record.stage_date = "2024-05-04";
    record.race_name = "Cup";
    record.stage_start = "10:00";
    for (std::size_t slot = 0; slot < classNames.size(); ++slot) {
        ClassDefinition& definition = record.classes[slot];
        definition.class_name = classNames[slot];
        definition.time_limit = 60;
        definition.control_flags[0] = definition.control_flags[1] = "A-B";
        definition.control_answer[0] = "A";
        definition.control_answer[1] = "B";
        definition.answer_codes[0][0] = 31;
        definition.answer_codes[0][1] = 32;
        definition.answer_codes[1][0] = 41;
        definition.answer_codes[1][1] = 42;
    }
    record.stage_number = 1;
    createRaceFile(racePath, record);
    record.stage_number = 2;
    record.stage_date = "2024-05-05";
    appendStage(racePath, record);
    const std::filesystem::path folder = std::filesystem::path(racePath).parent_path();
    std::filesystem::create_directories(folder / "E1");
    std::filesystem::create_directories(folder / "E2");
}

} // namespace ravik::test
