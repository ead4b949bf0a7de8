// ravik-cli on one race beside another program, and commands whose work failed
// in part: either every change is made or the command says why and exits 1.
#include "core/byte_io.h"
#include "core/competitor_file.h"
#include "core/platform/platform.h"
#include "core/race_lock.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik {
namespace {

using Words = std::vector<std::string>;

struct Running {
    test::RunningProgram program;
    std::string output;
    int status = -1;
};

Running start(const Words& arguments) {
    return {test::startCli(arguments, test::Streams::Together), {}};
}

void finish(Running& run) {
    const test::ProgramRun ended = run.program.finish();
    run.output = ended.output;
    run.status = ended.exitCode;
}

Running runToEnd(const Words& arguments) {
    Running run = start(arguments);
    finish(run);
    return run;
}

std::string entryLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string line(61, ' ');
        const std::string number = std::to_string(1000 + i);
        line.replace(0, 7, "ABC" + number).replace(8, 4, "Open").replace(18, 7, "800" + number);
        text += line.replace(30, 12, "Runner " + number).replace(58, 3, "CZE") + "\r\n";
    }
    return text;
}

constexpr const char* kRefusal = "The race is open in another program (PID ";

TEST(RaceLockCli, TwoCommandsRacingOnOneRaceNeverLoseAChange) {
    test::TempFolder folder;
    ASSERT_EQ(runToEnd({"demo", folder.path()}).status, 0);
    const std::string race = folder.file("Sample.ravik"), competitors = folder.file("Sample.zavodnici");
    ASSERT_EQ(runToEnd({"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")}).status, 0);
    test::writeFile(folder.file("entries.txt"), entryLines(999));
    const std::string before = test::readFile(competitors);
    const std::size_t rowsBefore = readCompetitorRecords(competitors).size();

    int refused = 0;
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        test::writeFile(competitors, before);
        Running results = start({"results", race, "--stage", "1", "--classes", "Elite", "--lang", "GBR"});
        Running import = start({"import-text", race, "--stage", "1", folder.file("entries.txt")});
        finish(results);
        finish(import);
        const auto records = readCompetitorRecords(competitors);
        const bool imported = records.size() == rowsBefore + 999;
        const bool scored = records.at(0).stage_points[0] != -1;
        for (Running* run : {&results, &import}) {
            if (run->status == 0) continue;
            EXPECT_EQ(run->status, 1) << run->output;
            EXPECT_NE(run->output.find(kRefusal), std::string::npos) << run->output;
            ++refused;
        }
        EXPECT_EQ(imported, import.status == 0);
        EXPECT_EQ(scored, results.status == 0);
        EXPECT_TRUE(results.status == 0 || import.status == 0);
    }
    RecordProperty("refused", refused);

    // While another program holds the race, a command that only reads still runs.
    const RaceLock held = RaceLock::take(race);
    ASSERT_TRUE(held.held());
    const Running info = runToEnd({"info", race});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.output.find("Stage 1: 2026-05-16"), std::string::npos);
    const Running ids = runToEnd({"ids", race});
    EXPECT_EQ(ids.status, 1);
    EXPECT_EQ(ids.output, "ravik-cli: " + std::string(kRefusal) +
                              std::to_string(platform::currentProcessId()) +
                              "); nothing was changed. Close it there and try again.\n");
}

TEST(RaceLockCli, SlipsStatisticsAndExportsRunWhileAnotherProgramHoldsTheRaceAndSaveNothingOfIt) {
    test::TempFolder folder;
    ASSERT_EQ(runToEnd({"demo", folder.path()}).status, 0);
    const std::string race = folder.file("Sample.ravik"), competitors = folder.file("Sample.zavodnici");
    ASSERT_EQ(runToEnd({"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")}).status, 0);
    const std::string before = test::readFile(competitors);
    const RaceLock held = RaceLock::take(race);
    ASSERT_TRUE(held.held());
    std::vector<Words> commands = {
        {"export-xml", race, "--kind", "preo", "--stage", "1"},
        {"export-xml", race, "--kind", "startlist", "--stage", "1"},
        {"export-xml", race, "--kind", "overall", "--stages", "1", "--classes", "Elite"},
        {"stats", race, "--stage", "1", "--classes", "Elite"}};
#if RAVIK_CLI_DRAWS
    commands.push_back({"printout", race, "--stage", "1", "--id", "1", "--pdf", folder.file("slip.pdf")});
#endif
    for (const Words& command : commands) {
        const Running run = runToEnd(command);
        EXPECT_EQ(run.status, 0) << test::commandLine(command) << "\n" << run.output;
        EXPECT_EQ(run.output.find(kRefusal), std::string::npos) << test::commandLine(command);
    }
    EXPECT_EQ(test::readFile(competitors), before) << "nothing of the race is saved";
    EXPECT_TRUE(std::filesystem::exists(folder.file("Sample_PreoResults_E1.xml")));
#if RAVIK_CLI_DRAWS
    EXPECT_GT(std::filesystem::file_size(folder.file("slip.pdf")), 1000u);
#endif
    EXPECT_EQ(runToEnd({"results", race, "--stage", "1", "--classes", "Elite"}).status, 1)
        << "results save: refused";
}

TEST(PartialFailureCli, ResultsNeverZeroWhatTheyCannotSeeAndSayWhatTheyLeftOut) {
    test::TempFolder folder;
    ASSERT_EQ(runToEnd({"demo", folder.path()}).status, 0);
    const std::string race = folder.file("Sample.ravik"), competitors = folder.file("Sample.zavodnici");
    ASSERT_EQ(runToEnd({"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")}).status, 0);
    const Words results = {"results", race, "--stage", "1", "--classes", "Elite", "--lang", "GBR"};

    test::writeFile(folder.file("E1/1.si"), std::string(16 * 1024 * 1024 + 1, 'x'));
    const Running skipped = runToEnd(results);
    EXPECT_EQ(skipped.status, 1);
    EXPECT_NE(skipped.output.find("E1/results_E1_class_Elite.htm\n"), std::string::npos) << skipped.output;
    EXPECT_NE(
        skipped.output.find("ravik-cli: Skipped the file " + folder.file("E1/1.si") + ": larger than 16 MB"),
        std::string::npos)
        << skipped.output;

    std::filesystem::rename(folder.file("E1"), folder.file("E1.away"));
    const std::string saved = test::readFile(competitors);
    const Running missing = runToEnd(results);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "ravik-cli: The stage folder " + folder.file("E1/") +
                                  " does not exist. No results were computed, nothing was changed.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("E1")));
    EXPECT_EQ(test::readFile(competitors), saved);
    EXPECT_EQ(runToEnd({"overall", race, "--stages", "1", "--classes", "Elite"}).status, 1);
    std::filesystem::rename(folder.file("E1.away"), folder.file("E1"));

    const std::string damaged(1000, '\x07');
    test::writeFile(competitors, damaged);
    for (const Words& command : {results, Words{"ids", race}}) {
        const Running refused = runToEnd(command);
        EXPECT_EQ(refused.status, 1) << test::commandLine(command);
        EXPECT_EQ(refused.output,
                  "ravik-cli: The competitor file has an unknown format and was not loaded: " + competitors +
                      "\n");
    }
    EXPECT_EQ(test::readFile(competitors), damaged);
}

TEST(PartialFailureCli, CommandsThatCouldNotDoTheirWholeWorkSayWhatAndExitOne) {
    test::TempFolder folder;
    ASSERT_EQ(runToEnd({"demo", folder.path()}).status, 0);
    const std::string race = folder.file("Sample.ravik"), competitors = folder.file("Sample.zavodnici");
    const Words readout = {"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")};
    ASSERT_EQ(runToEnd(readout).status, 0);

    // Statistics without a punch file over the size limit.
    test::writeFile(folder.file("E1/1.si"), std::string(16 * 1024 * 1024 + 1, 'x'));
    const Running stats = runToEnd({"stats", race, "--stage", "1", "--classes", "Elite", "--lang", "GBR"});
    EXPECT_EQ(stats.status, 1);
    EXPECT_NE(
        stats.output.find("ravik-cli: Skipped the file " + folder.file("E1/1.si") + ": larger than 16 MB\n"),
        std::string::npos)
        << stats.output;
    std::filesystem::remove(folder.file("E1/1.si"));

    // A merge in a stage folder that is not there.
    std::filesystem::rename(folder.file("E1"), folder.file("E1.away"));
    const Running merge = runToEnd({"tc-merge", race, "--stage", "1"});
    EXPECT_EQ(merge.status, 1);
    EXPECT_EQ(merge.output,
              "The stage folder " + folder.file("E1/") + " does not exist. No TC2 files were merged.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("E1")));
    std::filesystem::rename(folder.file("E1.away"), folder.file("E1"));

    // An entry list into a full table: the entries that fitted are kept.
    test::writeFile(folder.file("entries.txt"),
                    entryLines(2000 - int(readCompetitorRecords(competitors).size())));
    ASSERT_EQ(runToEnd({"import-text", race, "--stage", "1", folder.file("entries.txt")}).status, 0);
    ASSERT_EQ(readCompetitorRecords(competitors).size(), 2000u);
    test::writeFile(
        folder.file("entry.xml"),
        "<EntryList><PersonEntry><Person><Id>XYZ9999</Id><Name><Family>New</Family>"
        "<Given>One</Given></Name></Person><Class><Name>Elite</Name></Class></PersonEntry></EntryList>");
    const Running import = runToEnd({"import-xml", race, "--stage", "1", folder.file("entry.xml")});
    EXPECT_EQ(import.status, 1);
    EXPECT_NE(import.output.find("The table is full (2000 competitors), competitors not added: 1\n"),
              std::string::npos)
        << import.output;

    // A read-out against competitors whose class text is longer than its field.
    std::string damaged = test::readFile(competitors);
    damaged[12] = 25;
    test::writeFile(competitors, damaged);
    const Running refused = runToEnd(readout);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output,
              "ravik-cli: Soubor závodníků má poškozené záznamy a nebyl načten: " + competitors + "\n");
    EXPECT_EQ(test::readFile(competitors), damaged);
}

} // namespace
} // namespace ravik
