#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/race_file.h"
#include "program_run.h"
#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace ravik {
namespace {

struct CliResult {
    int status;
    std::string output;
};

CliResult runCli(const std::vector<std::string>& arguments) {
    const test::ProgramRun run = test::runCli(arguments, test::Streams::Together);
    return {run.exitCode, run.output};
}

std::vector<CompetitorRecord> competitors(const test::TempFolder& folder) {
    return readCompetitorRecords(folder.file("Cup.zavodnici"));
}

TEST(EntriesCli, ImportsNumbersDrawsAndWritesTheStartList) {
    test::TempFolder folder;
    RaceRecord stage;
    stage.race_name = "Cup";
    stage.stage_start = "10:00";
    createRaceFile(folder.file("Cup.ravik"), stage);
    std::filesystem::create_directories(folder.file("E1"));
    const std::string race = folder.file("Cup.ravik");
    auto line = [](std::string registration, std::string card, std::string name) {
        std::string text(61, ' ');
        text.replace(0, 7, registration).replace(8, 3, "H21").replace(18, card.size(), card);
        return text.replace(30, name.size(), name).replace(58, 3, "CZE") + "\r\n";
    };
    // Saved as UTF-8 by a current editor: the names arrive in the program's code page.
    test::writeFile(folder.file("entries.txt"),
                    cp1250ToUtf8(line("ABC1234", "1234567", "Nov\xE1k Jan") +
                                 line("ABC1235", "7654321", "Dvo\xF8\xE1k Petr")));

    auto result = runCli({"import-text", race, "--stage", "1", folder.file("entries.txt")});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "Lines imported: 2, rows added: 2\n"
                             "Added competitors per class: H21 2\n"
                             "2 competitors of class \"H21\" are in no class of stage 1\n");
    // A new race's one empty row takes the first competitor.
    ASSERT_EQ(competitors(folder).size(), 2u);
    EXPECT_EQ(competitors(folder)[0].competitor_name, "Nov\xE1k Jan");
    EXPECT_EQ(competitors(folder)[1].competitor_name, "Dvo\xF8\xE1k Petr");
    EXPECT_EQ(competitors(folder)[1].start_offset[0], 0.0f);

    const std::string entries = std::string(RAVIK_SOURCE_DIR) + "/tests/entries/data/";
    result = runCli({"import-xml", race, "--stage", "1", entries + "one_line_entry.xml"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "Entries: 1, matched: 1, added: 0\nAdded competitors per class: none\n");
    test::writeFile(folder.file("teams.xml"),
                    "<EntryList><TeamEntry><Name>Relay 1</Name></TeamEntry></EntryList>");
    result = runCli({"import-xml", race, "--stage", "1", folder.file("teams.xml")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "The file holds no person entry (PersonEntry), nothing was imported: " +
                                 folder.file("teams.xml") + " (team entry list (TeamEntry))\n");

    ASSERT_EQ(runCli({"ids", race}).status, 0);
    EXPECT_EQ(competitors(folder)[0].competitor_id, 1);
    EXPECT_EQ(competitors(folder)[1].competitor_id, 2);

    result = runCli({"draw", race, "--stage", "1", "--in-order", "--first", "10", "--interval", "2,5"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(competitors(folder)[0].start_offset[0], 10.0f);
    EXPECT_EQ(competitors(folder)[1].start_offset[0], 12.5f);

    result = runCli({"startlist", race, "--stage", "1"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, folder.file("E1/startlist_E1.htm") + "\n");
    EXPECT_NE(test::readFile(folder.file("E1/startlist_E1.htm"))
                  .find("<b>12:30</b>&nbsp;</font><td bgcolor=#FFFFAA>&nbsp;10:12:30"),
              std::string::npos);

    result = runCli({"startlist", race, "--stage", "4"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "This stage (4) is not set in this competition.\n");
    EXPECT_EQ(runCli({"draw", race, "--stage", "9"}).status, 2);
}

std::vector<std::string> outputLines(const std::string& output) {
    std::vector<std::string> lines;
    for (std::size_t begin = 0, end; (end = output.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(output.substr(begin, end - begin));
    return lines;
}

// The first seven cells of each listed line.
std::vector<std::string> firstCells(const std::string& output) {
    std::vector<std::string> cells;
    for (const std::string& line : outputLines(output)) {
        std::size_t end = 0;
        for (int semicolons = 0; semicolons < 7 && end != std::string::npos; ++semicolons)
            end = line.find(';', end + 1);
        cells.push_back(line.substr(0, end));
    }
    return cells;
}

TEST(CompetitorsCli, ListsSortsSetsACellAndDisqualifiesWithTheSavesChecks) {
    test::TempFolder folder;
    const std::string racePath = folder.file("Cup.ravik");
    RaceRecord stage;
    stage.race_name = "Jarn\xED poh\xE1r";
    stage.classes[0].class_name = "D21";
    stage.classes[1].class_name = "H21";
    stage.classes[1].control_flags = {"A-C", "A", "A-B"};
    stage.classes[1].cluster_answers[0] = {"A", "B", "", "", "", "", "", "", "", ""};
    stage.classes[1].cluster_answers[1] = {"C", "", "", "", "", "", "", "", "", "X"};
    stage.classes[1].cluster_penalty = 60;
    stage.classes[1].time_limit = 90;
    createRaceFile(racePath, stage);
    CompetitorTable table;
    const auto row = [](std::string id, std::string className, std::string name) {
        TableRow cells;
        cells[column::kId] = id;
        cells[column::kClass] = className;
        cells[column::kName] = name;
        return cells;
    };
    table.appendRow(row("2", "H21", "Nov\xE1k Jan"));
    table.appendRow(row("10", "D21", "Dvo\xF8\xE1kov\xE1 Eva"));
    table.appendRow(row("1", "H21", "Adam Petr"));
    LogLines log;
    saveCompetitorTable(folder.file("Cup.zavodnici"), table, log);
    const std::string& race = racePath;

    CliResult result = runCli({"competitors", race});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(firstCells(result.output),
              (std::vector<std::string>{"ID;Registration;Class;SI;Name;Flag;Relay", "2;;H21;;Novák Jan;;",
                                        "10;;D21;;Dvořáková Eva;;", "1;;H21;;Adam Petr;;"}));
    EXPECT_EQ(outputLines(result.output)[0].substr(46, 22), ";E3;E4;E5;E1 pts;E1 TC")
        << "the window's columns";

    ASSERT_EQ(runCli({"competitors", race, "--sort", "class"}).status, 0);
    EXPECT_EQ(firstCells(runCli({"competitors", race}).output)[1], "10;;D21;;Dvořáková Eva;;")
        << "the class slots' order, saved";
    ASSERT_EQ(runCli({"competitors", race, "--sort", "id"}).status, 0);
    EXPECT_EQ(readCompetitorRecords(folder.file("Cup.zavodnici"))[0].competitor_name, "Adam Petr");

    result = runCli({"competitors", race, "--set", "2", "Name", "Novák Jiří"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readCompetitorRecords(folder.file("Cup.zavodnici"))[1].competitor_name, "Nov\xE1k Ji\xF8\xED");
    result = runCli({"competitors", race, "--set", "2", "E1", "abc"});
    EXPECT_EQ(result.output, "!!! On row 2 there is no Start time!\n") << "the save's check";
    EXPECT_EQ(runCli({"competitors", race, "--set", "99", "Name", "x"}).output,
              "ravik-cli: no competitor with the ID 99\n");
    EXPECT_EQ(runCli({"competitors", race, "--set", "2", "Age", "3"}).status, 1);

    ASSERT_EQ(runCli({"competitors", race, "--disqualify", "10", "--stage", "1"}).status, 0);
    EXPECT_EQ(readCompetitorRecords(folder.file("Cup.zavodnici"))[2].disqualified[0], 1);
    EXPECT_EQ(runCli({"competitors", race, "--disqualify", "10", "--stage", "2"}).status, 1) << "no stage 2";

    result = runCli({"info", race});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "Race: Jarní pohár\nStages: 1\nStage 1: , , start \n"
                             "  D21: 0 controls, 0 timed-control tasks, penalty 0 s, limit 0 min\n"
                             "  H21: 3 controls, 2 timed-control tasks, penalty 60 s, limit 90 min\n"
                             "Competitors: 3\n");
}

} // namespace
} // namespace ravik
