#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "iof_schema.h"
#include "program_run.h"
#include "test_support.h"
#include "two_stage_race.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace ravik {
namespace {

// A race of two stages with one class "A" of two controls (answers A and B at
// stations 31/32 and 41/42) and a time limit of 60 minutes.
struct CliRace {
    test::TempFolder folder;
    std::string racePath = folder.file("cup.ravik");

    CliRace() {
        test::createTwoStageRace(racePath, {"A"});

        CompetitorTable table;
        table.setHeadings(Language::Czech);
        table.appendRow(row("1", "Novak Jan"));
        table.appendRow(row("2", "Lind Eva"));
        LogLines log;
        saveCompetitorTable(folder.file("cup.zavodnici"), table, log);
    }
    static TableRow row(const std::string& id, const std::string& name) {
        TableRow row{};
        row[column::kId] = id;
        row[column::kRegistration] = "R" + id;
        row[column::kClass] = "A";
        row[column::kName] = name;
        row[column::start(1)] = "0";
        row[column::start(2)] = "0";
        return row;
    }
    void punches(int stage, const std::string& id, const std::string& finish) {
        auto line = [](const std::string& code, const std::string& mode, const std::string& time) {
            return "MANUAL;1;" + code + ";" + mode + ";RDO;6;2024-05-04;" + time + ";0;00\r\n";
        };
        test::writeFile(folder.file("E" + std::to_string(stage) + "/" + id + ".si"),
                        line("1", "STA", "10:00:00") + line("31", " CN", "10:10:00") +
                            line("42", " CN", "10:20:00") + line("1", "FIN", finish));
    }
    // Runs ravik-cli; returns its exit status and fills its standard output.
    int cli(const std::vector<std::string>& arguments, std::string& output) {
        const test::ProgramRun run = test::runCli(arguments, test::Streams::Together);
        output = run.output;
        return run.exitCode;
    }
};

TEST(ExportsCli, OverallScoresEachStageFirstSoPenaltiesAreSubtracted) {
    CliRace race;
    race.punches(1, "1", "10:50:00");
    race.punches(2, "1", "10:50:00");
    race.punches(1, "2", "11:01:00"); // one minute over the limit: one penalty unit
    race.punches(2, "2", "10:40:00");
    std::string output;
    ASSERT_EQ(race.cli({"overall", race.racePath, "--stages", "1,2", "--classes", "A", "--complete"}, output),
              0)
        << output;
    const std::string page = race.folder.file("overall_results_E1+E2_class_A.htm");
    EXPECT_EQ(output, page + "\n");
    const std::string html = test::readFile(page);
    EXPECT_NE(html.find("<h2>Cup</h2>\r\n"), std::string::npos);
    EXPECT_NE(
        html.find(
            "<td><center>1.<td>\r\nNovak Jan\r\n<td>\r\n<td bgcolor=#EEEEEE><b><center>4<td "
            "bgcolor=#EEEEEE><b><center>0\r\n<td><center>2<td><center>0\r\n<td><center>2<td><center>0\r\n"),
        std::string::npos)
        << html;
    EXPECT_NE(
        html.find(
            "<td><center>2.<td>\r\nLind Eva\r\n<td>\r\n<td bgcolor=#EEEEEE><b><center>3<td "
            "bgcolor=#EEEEEE><b><center>0\r\n<td><center><font color=#0000FF>1</font><td><center>0\r\n"),
        std::string::npos)
        << html;

    ASSERT_EQ(
        race.cli({"overall", race.racePath, "--stages", "2", "--classes", "A", "--caption", "Final day"},
                 output),
        0);
    EXPECT_NE(test::readFile(race.folder.file("overall_results_+E2_class_A.htm")).find("<h2>Final day</h2>"),
              std::string::npos);
    EXPECT_NE(race.cli({"overall", race.racePath, "--stages", "3", "--classes", "A"}, output), 0);
    EXPECT_NE(race.cli({"overall"}, output), 0);
}

TEST(ExportsCli, AMissingStageFolderStopsEveryCommandThatReadsItAndNoneMakesIt) {
    CliRace race;
    race.punches(1, "1", "10:50:00");
    std::string output;
    const std::string& path = race.racePath;
    ASSERT_EQ(race.cli({"results", path, "--stage", "1", "--classes", "A"}, output), 0) << output;
    const std::string competitors = test::readFile(race.folder.file("cup.zavodnici"));
    std::filesystem::remove_all(race.folder.file("E1")); // an unmounted share
    test::writeFile(race.folder.file("stage1.json"), R"({"stages": [{"stage": 1, "race_name": "Cup"}]})");
    std::vector<std::vector<std::string>> commands = {{"results", path, "--stage", "1", "--classes", "A"},
                                                      {"export-xml", path, "--stage", "1", "--kind", "preo"},
                                                      {"startlist", path, "--stage", "1"},
                                                      {"overall", path, "--stages", "1", "--classes", "A"},
                                                      {"stats", path, "--stage", "1", "--classes", "A"},
                                                      {"draw", path, "--stage", "2", "--by-results"}};
    // Without Qt the printout refuses before it looks at the race.
    if (RAVIK_CLI_DRAWS) commands.push_back({"printout", path, "--stage", "1", "--id", "1"});
    for (const std::vector<std::string>& command : commands) {
        EXPECT_NE(race.cli(command, output), 0) << test::commandLine(command);
        EXPECT_NE(output.find(race.folder.file("E1/")), std::string::npos)
            << test::commandLine(command) << ": " << output;
    }
    ASSERT_EQ(race.cli({"define", path, race.folder.file("stage1.json")}, output), 0) << output;
    EXPECT_FALSE(std::filesystem::exists(race.folder.file("E1")));
    EXPECT_FALSE(std::filesystem::exists(race.folder.file("cup_PreoResults_E1.xml")));
    EXPECT_EQ(test::readFile(race.folder.file("cup.zavodnici")), competitors);
}

TEST(ExportsCli, ARaceFileCutShortInsideAStageIsNeverWrittenOverAndReadersSayWhatTheyRead) {
    CliRace race;
    const std::string whole = test::readFile(race.racePath);
    const std::string cut = whole.substr(0, 16496 + 16000);
    test::writeFile(race.racePath, cut);
    test::writeFile(race.folder.file("stage1.json"), R"({"stages": [{"stage": 1, "race_name": "New"}]})");
    std::string output;
    const std::string& path = race.racePath;
    EXPECT_NE(race.cli({"define", path, race.folder.file("stage1.json")}, output), 0);
    EXPECT_NE(output.find("holds 1 whole stage; its last 16000 bytes are a stage cut short"),
              std::string::npos)
        << output;
    EXPECT_EQ(test::readFile(race.racePath), cut);
    EXPECT_EQ(test::readFile(race.racePath + ".cut-short"), cut);
    ASSERT_EQ(race.cli({"info", path}, output), 0) << output;
    EXPECT_NE(output.find("are a stage cut short and are left out"), std::string::npos) << output;
}

TEST(ExportsCli, ExportXmlWritesTheResultListOfTheScoredStage) {
    CliRace race;
    race.punches(1, "1", "10:50:00");
    std::string output;
    ASSERT_EQ(race.cli({"overall", race.racePath, "--stages", "1", "--classes", "A"}, output), 0) << output;
    ASSERT_EQ(race.cli({"export-xml", race.racePath, "--stage", "1", "--kind", "preo"}, output), 0) << output;
    const std::string path = race.folder.file("cup_PreoResults_E1.xml");
    EXPECT_EQ(output, path + "\n");
    const std::string xml = test::readFile(path);
    EXPECT_NE(xml.find("   <Family>Novak</Family>\r\n   <Given>Jan</Given>\r\n"), std::string::npos);
    EXPECT_NE(xml.find("  <Score>2</Score>\r\n  <ControlAnswer>\r\n   <Answer>A</Answer>\r\n"),
              std::string::npos);
    if (const auto schemaErrors = test::iofSchemaErrors(path)) {
        EXPECT_EQ(*schemaErrors, "");
    }

    EXPECT_NE(race.cli({"export-xml", race.racePath, "--stage", "1", "--kind", "relay"}, output), 0);
    EXPECT_NE(race.cli({"export-xml", race.racePath, "--stage", "4", "--kind", "tempo"}, output), 0);
}

} // namespace
} // namespace ravik
