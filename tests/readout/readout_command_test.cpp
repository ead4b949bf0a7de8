#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "program_run.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun runCli(const std::vector<std::string>& arguments) {
    const ravik::test::ProgramRun run = ravik::test::runCli(arguments, ravik::test::Streams::Together);
    return {run.exitCode, run.output};
}

} // namespace

TEST(ReadoutCommand, OnePassWithTheCompetitorFileAsTableWritesPunchFilesAndPrintsTheLog) {
    TempFolder folder;
    const std::string racePath = folder.file("cup.ravik");
    RaceRecord stage;
    stage.stage_number = 1;
    createRaceFile(racePath, stage);
    appendStage(racePath, stage);
    std::filesystem::create_directory(folder.file("E2"));
    CompetitorTable table;
    TableRow row;
    row[column::kId] = "12";
    row[column::kSi] = "2045117";
    row[column::kName] = "Nov\xE1k"; // code page 1250
    row[column::kClass] = "H21";     // stage 2 has no classes
    table.appendRow(row);
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
    writeFile(folder.file("log.csv"), std::string(kSiLogHeader) +
                                          "\r\n1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                                          "1;2045117;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n"
                                          "1;99;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");

    const CliRun proper = runCli({"readout", racePath, "--stage", "2", "--log", folder.file("log.csv"),
                                  "--date", "2023-11-01", "--lang", "GBR"});
    EXPECT_EQ(proper.status, 0) << proper.out;
    EXPECT_EQ(proper.out, "SIlog read\nCAUTION! SI card 99 is not assigned to any competitor!!\n"
                          "1 competitor of class \"H21\" is in no class of stage 2\n");
    EXPECT_EQ(readFile(folder.file("E2/12.si")), "1;2045117;1;STA;1;6;2023-11-01;10:00:00;5;12;\r\n"
                                                 "1;2045117;2;FIN;1;6;2023-11-01;10:30:00;5;12;\r\n");
    EXPECT_TRUE(std::filesystem::exists(folder.file("E2/SI99.si")));
    EXPECT_EQ(runCli({"readout", racePath, "--stage", "3", "--log", "x"}).status, 1);
}

TEST(ReadoutCommand, ACardStillBeingWrittenWaitsForItsRestAndOneWithoutFinishIsWrittenOnceTheLogIsStill) {
    TempFolder folder;
    ASSERT_EQ(runCli({"demo", folder.path()}).status, 0);
    const std::string race = folder.file("Sample.ravik"), log = folder.file("log.csv");
    const std::string whole = readFile(folder.file("SIlog_E1.csv"));
    std::size_t cut = 0;
    for (int line = 0; line < 12; ++line)
        cut = whole.find('\n', cut) + 1;
    const std::vector<std::string> readout = {"readout", race, "--stage", "1", "--lang", "GBR", "--log", log};

    writeFile(log, whole.substr(0, cut)); // the read-out software is still writing card 2045101
    const CliRun early = runCli(readout);
    EXPECT_EQ(early.status, 0) << early.out;
    EXPECT_NE(early.out.find("SI card 2045101 is still being read; its punch file will be written later."),
              std::string::npos)
        << early.out;
    EXPECT_FALSE(std::filesystem::exists(folder.file("E1/1.si")));

    writeFile(log, whole);
    EXPECT_EQ(runCli(readout).status, 0);
    const std::string card = readFile(folder.file("E1/1.si"));
    EXPECT_EQ(std::count(card.begin(), card.end(), '\n'), 32);
    EXPECT_NE(card.find(";FIN;"), std::string::npos);

    // A card without its finish line in a log still for 3 s is complete.
    writeFile(log, whole + "1;7009999;1;STA;1;6;2026-05-16;10:10:00;1;1;\r\n"
                           "2;7009999;31; CN;1;6;2026-05-16;10:11:15;2;2;\r\n");
    ravik::test::ageFile(log, 4);
    EXPECT_EQ(runCli(readout).status, 0);
    EXPECT_EQ(readFile(folder.file("E1/SI7009999.si")), "1;7009999;1;STA;1;6;2026-05-16;10:10:00;1;1;\r\n"
                                                        "2;7009999;31; CN;1;6;2026-05-16;10:11:15;2;2;\r\n");
}

// A run that changed nothing is kept beside the race and the next run with the
// same log, stage folder, table and options logs its lines without reading the
// log; any change of those and the pass runs again.
TEST(ReadoutCommand, ARunThatChangedNothingIsRepeatedFromBesideTheRaceUntilLogFolderOrTableChange) {
    TempFolder folder;
    const std::string racePath = folder.file("cup.ravik"), logPath = folder.file("log.csv");
    RaceRecord stage;
    stage.stage_number = 1;
    createRaceFile(racePath, stage);
    std::filesystem::create_directory(folder.file("E1"));
    CompetitorTable table;
    for (const auto& [id, card] : {std::pair{"12", "2045117"}, std::pair{"13", "500"}}) {
        TableRow row;
        row[column::kId] = id;
        row[column::kSi] = card;
        table.appendRow(row);
    }
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
    std::string log = std::string(kSiLogHeader) + "\r\n1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                                                  "1;2045117;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n"
                                                  "1;99;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n";
    writeFile(logPath, log);
    // The log and the stage folder stood still for a while since they last changed.
    auto settle = [&] {
        ravik::test::ageFile(logPath, 10);
        ravik::test::ageFile(folder.file("E1"), 10);
    };
    auto readout = [&] {
        return runCli({"readout", racePath, "--stage", "1", "--log", logPath, "--lang", "GBR"});
    };
    const std::string nothingNew = "SIlog read\nCAUTION! SI card 99 is not assigned to any competitor!!\n";
    settle();
    readout(); // writes 12.si and SI99.si
    EXPECT_FALSE(std::filesystem::exists(folder.file("cup.readout")));
    settle();
    EXPECT_EQ(readout().out, nothingNew);
    const std::string kept = readFile(folder.file("cup.readout"));
    EXPECT_EQ(readout().out, nothingNew);
    // It is the kept lines that the run repeats.
    writeFile(folder.file("cup.readout"), kept.substr(0, kept.find("--\n") + 3) + "kept\n");
    EXPECT_EQ(readout().out, "kept\n");

    struct Change {
        const char* what;
        std::function<void()> make;
        std::string written; // the punch file the next run writes
    };
    const Change changes[] = {
        {"a card appended",
         [&] {
             writeFile(logPath, log += "1;500;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                                       "1;500;2;FIN;1;6;2023-10-31;10:40:00;5;12;\r\n");
         },
         "E1/13.si"},
        {"a punch file deleted", [&] { std::filesystem::remove(folder.file("E1/12.si")); }, "E1/12.si"},
        {"a card given to a competitor",
         [&] {
             TableRow row;
             row[column::kId] = "14";
             row[column::kSi] = "99";
             table.appendRow(row);
             saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
         },
         "E1/14.si"},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.make();
        settle();
        const CliRun run = readout();
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(std::filesystem::exists(folder.file(change.written))) << run.out;
        EXPECT_NE(run.out, "kept\n");
    }
}
