#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "program_run.h"
#include "setup/race_definition.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::TempFolder;

constexpr const char* kExample =
    R"({"stages": [{"stage": 1, "race_name": "Spring Cup", "stage_date": "2026-05-11",
  "stage_place": "Brno", "stage_start": "09:00",
  "classes": [{"slot": 1, "class_name": "H21",
    "control_flags": ["A-C", "A"], "control_answer": ["B", "Z"],
    "answer_codes": [[31, 32, 33, 0, 0, 0, 34], [35, 0, 0, 0, 0, 0, 36]],
    "cluster_answers": [["A", "B", "", "", "", "", "", "", "", "X"]],
    "cluster_penalty": 30, "time_limit": 60,
    "break1_from_code": 201, "break1_to_code": 202, "break2_from_code": 0, "break2_to_code": 0}]}]})";

// Runs ravik-cli with the arguments; returns the exit status and the output.
std::pair<int, std::string> runCli(const std::vector<std::string>& arguments) {
    const test::ProgramRun run = test::runCli(arguments, test::Streams::Together);
    return {run.exitCode, run.output};
}

std::string raceWithOneStage(const TempFolder& folder) {
    RaceRecord first;
    first.stage_number = 1;
    first.stage_place = "Old place";
    first.classes[1].class_name = "D21";
    first.classes[0].control_flags[5] = "A-F";
    createRaceFile(folder.file("Cup.ravik"), first);
    return folder.file("Cup.ravik");
}

TEST(RaceDefinition, WritesTheDescribedFieldsAndKeepsTheOthers) {
    TempFolder folder;
    const std::string path = raceWithOneStage(folder);
    EXPECT_EQ(defineRace(path, kExample), 1);
    const RaceRecord stage = readStage(path, 1);
    EXPECT_EQ(stage.race_name, "Spring Cup");
    EXPECT_EQ(stage.stage_place, "Brno");
    EXPECT_EQ(stage.stage_start, "09:00");
    const ClassDefinition& h21 = stage.classes[0];
    EXPECT_EQ(h21.class_name, "H21");
    EXPECT_EQ(h21.control_flags[0], "A-C");
    EXPECT_EQ(h21.control_answer[1], "Z");
    EXPECT_EQ(h21.answer_codes[1], (std::array<std::int32_t, 7>{35, 0, 0, 0, 0, 0, 36}));
    EXPECT_EQ(h21.cluster_answers[0][1], "B");
    EXPECT_EQ(h21.cluster_answers[0][9], "X");
    EXPECT_EQ(h21.cluster_penalty, 30);
    EXPECT_EQ(h21.time_limit, 60);
    EXPECT_EQ(h21.break1_to_code, 202);
    EXPECT_EQ(h21.control_flags[5], "A-F") << "entries past a short list are kept";
    EXPECT_EQ(stage.classes[1].class_name, "D21");
}

TEST(RaceDefinition, AppendsStagesUpToTheOneNamedButNotPastFive) {
    TempFolder folder;
    const std::string path = raceWithOneStage(folder);
    EXPECT_EQ(defineRace(path, R"({"stages": [{"stage": 3, "stage_place": "Žďár"}]})"), 3);
    EXPECT_EQ(stageCount(path), 3);
    EXPECT_EQ(readStage(path, 2).stage_number, 2);
    EXPECT_EQ(readStage(path, 3).stage_place, utf8ToCp1250("Žďár"));
    EXPECT_EQ(readStage(path, 1).stage_place, "Old place");
    EXPECT_THROW(defineRace(path, R"({"stages": [{"stage": 6}]})"), DefinitionError);
    EXPECT_EQ(stageCount(path), 3);
}

TEST(RaceDefinition, RefusesBadDescriptionsNamingThePlaceAndLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = raceWithOneStage(folder);
    const std::string before = test::readFile(path);
    const auto messageOf = [&](const std::string& json) {
        try {
            defineRace(path, json);
        } catch (const DefinitionError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(
        messageOf(
            R"({"stages": [{"stage": 1, "classes": [{"slot": 2, "class_name": "A class name far too long"}]}]})"),
        "stages[0].classes[0].class_name: longer than 20 characters");
    EXPECT_EQ(
        messageOf(R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "answer_codes": [[31, "x"]]}]}]})"),
        "stages[0].classes[0].answer_codes[0][1]: expected a whole number");
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "classes": [{"slot": 10}]}]})"),
              "stages[0].classes[0].slot: expected a slot from 1 to 9");
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "control_answer": ["Q"]}]}]})"),
              "stages[0].classes[0].control_answer[0]: \"Q\" is not one of the allowed values");
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "stage_plac": "Brno"}]})"),
              "stages[0].stage_plac: unknown field");
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "race_name": "日本"}]})"),
              "stages[0].race_name: holds characters outside code page 1250");
    EXPECT_EQ(
        messageOf(
            R"({"stages": [{"stage": 2, "race_name": "ok"}, {"stage": 1, "stage_date": "2026-05-111"}]})"),
        "stages[1].stage_date: longer than 10 characters");
    EXPECT_TRUE(messageOf("{\"stages\": [{\"stage\": 1,").starts_with("not valid JSON:"));
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "control_flags": ["A"]}]})"),
              "stages[0].control_flags: unknown field");
    std::string answers = R"("A")";
    for (int control = 2; control <= 41; ++control)
        answers += R"(, "A")";
    EXPECT_EQ(messageOf(R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "control_answer": [)" + answers +
                        "]}]}]}"),
              "stages[0].classes[0].control_answer: more than 40 entries");
    EXPECT_EQ(test::readFile(path), before);
}

TEST(CliNewAndDefine, CreateARaceWithItsStageFoldersAndDefineItsClasses) {
    TempFolder folder;
    const auto [created, path] = runCli({"new", folder.file("Cup"), "--stages", "2"});
    EXPECT_EQ(created, 0);
    EXPECT_EQ(path, folder.file("Cup.ravik") + "\n");
    EXPECT_EQ(stageCount(folder.file("Cup.ravik")), 2);
    EXPECT_EQ(readStage(folder.file("Cup.ravik"), 2).stage_number, 2);
    EXPECT_TRUE(folderExists(folder.file("E1")));
    EXPECT_TRUE(folderExists(folder.file("E2")));
    EXPECT_EQ(runCli({"new", folder.file("Cup"), "--stages", "2"}).first, 1)
        << "an existing race is not replaced";
    EXPECT_EQ(runCli({"new", folder.file("Other"), "--stages", "6"}).first, 2);

    test::writeFile(folder.file("cup.json"), kExample);
    const auto [defined, output] = runCli({"define", folder.file("Cup.ravik"), folder.file("cup.json")});
    EXPECT_EQ(defined, 0) << output;
    EXPECT_EQ(readStage(folder.file("Cup.ravik"), 1).classes[0].class_name, "H21");

    test::writeFile(folder.file("bad.json"),
                    R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "time_limit": "60"}]}]})");
    const auto [refused, message] = runCli({"define", folder.file("Cup.ravik"), folder.file("bad.json")});
    EXPECT_EQ(refused, 1);
    EXPECT_NE(message.find("stages[0].classes[0].time_limit: expected a whole number"), std::string::npos)
        << message;
    EXPECT_EQ(readStage(folder.file("Cup.ravik"), 1).classes[0].time_limit, 60);
}

} // namespace
} // namespace ravik
