// The race's own Ravik file beside the race file: what it holds, that the race
// file keeps its bytes, and what a damaged file gives.
#include "core/class_rules_file.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

RaceRecord stageWithClasses(std::int32_t number) {
    RaceRecord record;
    record.stage_number = number;
    record.race_name = "Cup";
    record.classes[0].class_name = "Open";
    record.classes[2].class_name = "Sprint";
    return record;
}

TEST(ClassRulesFile, SprintClassesRoundTripBesideAnUnchangedRaceFile) {
    TempFolder folder;
    const std::string race = folder.file("cup.ravik");
    createRaceFile(race, stageWithClasses(1));
    EXPECT_FALSE(fileExists(classRulesPath(race))) << "plain PreO needs no file";

    RaceRecord second = stageWithClasses(2);
    second.classes[2].rules = {ClassFormat::PreOSprint, 1.25, 30};
    appendStage(race, second);
    EXPECT_EQ(readFile(race), encodeRaceRecord(stageWithClasses(1)) + encodeRaceRecord(stageWithClasses(2)));
    EXPECT_EQ(readFile(classRulesPath(race)), "{\n"
                                              "  \"ravik_file\": 1,\n"
                                              "  \"stages\": [\n"
                                              "    {\n"
                                              "      \"classes\": [\n"
                                              "        {\n"
                                              "          \"class_name\": \"Sprint\",\n"
                                              "          \"format\": \"preo-sprint\",\n"
                                              "          \"overtime_seconds_per_point\": 30,\n"
                                              "          \"slot\": 3,\n"
                                              "          \"time_factor\": 1.25\n"
                                              "        }\n"
                                              "      ],\n"
                                              "      \"stage\": 2\n"
                                              "    }\n"
                                              "  ]\n"
                                              "}\n");
    EXPECT_EQ(readStage(race, 2), second);
    EXPECT_EQ(readStage(race, 1), stageWithClasses(1));

    // Another program renamed the class in that slot: the entry is not his.
    RaceRecord renamed = stageWithClasses(2);
    renamed.classes[2].class_name = "Elite";
    std::string bytes = readFile(race);
    bytes.replace(kRaceRecordSize, kRaceRecordSize, encodeRaceRecord(renamed));
    writeFileAtomically(race, bytes);
    EXPECT_EQ(readStage(race, 2).classes[2].rules, ClassRules{});

    // Dropping the stage drops its entries.
    truncateStages(race, 1);
    EXPECT_EQ(readFile(classRulesPath(race)), "{\n  \"ravik_file\": 1,\n  \"stages\": []\n}\n");
}

TEST(ClassRulesFile, DamagedFileGivesPreOAndAMessageAndIsKeptBeforeItIsReplaced) {
    const std::vector<std::string> damaged{
        "",
        "{\"ravik_file\": 1, \"stages\": [",
        "[1, 2]",
        "{\"ravik_file\": 2, \"stages\": []}",
        "{\"ravik_file\": 1, \"stages\": [{\"stage\": 9, \"classes\": []}]}",
        "{\"ravik_file\": 1, \"stages\": [{\"stage\": 1, \"classes\": [{\"slot\": 3, \"class_name\": "
        "\"Sprint\", "
        "\"format\": \"sprint\"}]}]}",
        "{\"ravik_file\": 1, \"stages\": [{\"stage\": 1, \"classes\": [{\"slot\": 3, \"class_name\": "
        "\"Sprint\", "
        "\"format\": \"preo-sprint\", \"time_factor\": -1}]}]}",
        "{\"ravik_file\": 1, \"stages\": [{\"stage\": 1, \"classes\": [{\"slot\": 3, \"class_name\": "
        "\"Sprint\", "
        "\"format\": \"preo-sprint\", \"overtime_seconds_per_point\": 0}]}]}",
        std::string("\xff\xfe\x00", 3),
    };
    for (const std::string& text : damaged) {
        TempFolder folder;
        const std::string race = folder.file("cup.ravik");
        createRaceFile(race, stageWithClasses(1));
        const std::string path = classRulesPath(race);
        writeFile(path, text);
        EXPECT_EQ(readStage(race, 1), stageWithClasses(1)) << text;
        const std::string message = classRulesFileProblem(race, Language::English);
        EXPECT_EQ(message.rfind("The file " + path + " cannot be read (", 0), 0u) << message;
        EXPECT_NE(message.find("every class is scored as PreO"), std::string::npos) << message;
        EXPECT_FALSE(classRulesFileProblem(race, Language::Czech).empty());

        RaceRecord sprint = stageWithClasses(1);
        sprint.classes[2].rules.format = ClassFormat::PreOSprint;
        writeStage(race, 1, sprint);
        EXPECT_EQ(readFile(path + ".damaged"), text);
        EXPECT_EQ(readStage(race, 1), sprint);
        EXPECT_EQ(classRulesFileProblem(race, Language::English), "");
    }
}

} // namespace
} // namespace ravik::test
