#include "core/competitor_table.h"
#include "core/log.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

struct Competitor {
    std::string id, si;
};

CompetitorTable tableOf(const std::vector<Competitor>& competitors) {
    CompetitorTable table;
    for (const auto& competitor : competitors) {
        TableRow row;
        row[column::kId] = competitor.id;
        row[column::kSi] = competitor.si;
        table.appendRow(row);
    }
    return table;
}

std::string punch(const std::string& card, const std::string& code, const std::string& mode,
                  const std::string& time, const std::string& date = "2023-10-31") {
    return "1;" + card + ";" + code + ";" + mode + ";1;6;" + date + ";" + time + ";5;12;\r\n";
}

std::string logOf(const std::vector<std::string>& lines) {
    std::string bytes = std::string(kSiLogHeader) + "\r\n";
    for (const auto& line : lines)
        bytes += line;
    return bytes;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A race folder with the stage folder E1 and a log file, and a pass that reports what it did.
class ReadoutPass : public ::testing::Test {
protected:
    TempFolder race;
    std::string stageFolder = race.path() + "E1/";
    std::string logPath = race.file("log.csv");
    LogLines log;
    CompetitorTable table = tableOf({{"12", "2045117"}, {"13", "500"}});
    std::vector<std::string> printed;
    ReadoutOptions options;

    void SetUp() override {
        std::filesystem::create_directory(stageFolder);
        options.logPath = logPath;
        options.stageFolder = stageFolder;
    }

    // A pass over a log the read-out software finished writing a while ago.
    ReadoutPassResult pass(Language language = Language::English, ReadoutMemory* memory = nullptr) {
        if (std::filesystem::exists(logPath)) ravik::test::ageFile(logPath, 10);
        return passWhileWriting(language, memory);
    }
    // A pass over a log written to just now.
    ReadoutPassResult passWhileWriting(Language language = Language::English,
                                       ReadoutMemory* memory = nullptr) {
        return runReadoutPass(
            options, table, language, log, [&](const std::string& name) { printed.push_back(name); }, memory);
    }
    std::string punchFile(const std::string& name) { return readFile(stageFolder + name + ".si"); }
};

} // namespace

TEST_F(ReadoutPass, OneCardGivesOnePunchFileWithEachCodeOnceUpToTheFirstFinishAndOnePrintout) {
    writeFile(logPath,
              logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "31", " CN", "10:05:00"),
                     punch("2045117", "31", " CN", "10:06:00"), punch("2045117", "32", " CN", "10:07:00"),
                     punch("2045117", "2", "FIN", "10:30:00"), punch("2045117", "33", " CN", "10:31:00")}));
    const auto result = pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                               "1;2045117;31; CN;1;6;2023-10-31;10:05:00;5;12;\r\n"
                               "1;2045117;32; CN;1;6;2023-10-31;10:07:00;5;12;\r\n"
                               "1;2045117;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");
    EXPECT_EQ(filesIn(stageFolder), (std::vector<std::string>{"12.si"}));
    EXPECT_EQ(printed, (std::vector<std::string>{"12"}));
    EXPECT_EQ(result.newPunchFiles, (std::vector<std::string>{"12"}));
    EXPECT_TRUE(result.replaceMemo2);
    EXPECT_TRUE(result.unassigned.empty());
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SIlog read"}));
}

TEST_F(ReadoutPass, TheSamePassTwiceWritesAndPrintsNothingTheSecondTime) {
    writeFile(logPath,
              logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "2", "FIN", "10:30:00")}));
    pass();
    const std::string first = punchFile("12");
    writeFile(logPath, readFile(logPath) + punch("2045117", "31", " CN", "10:40:00"));
    printed.clear();
    const auto second = pass();
    EXPECT_TRUE(second.newPunchFiles.empty());
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(punchFile("12"), first);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SIlog read", "SIlog read"}));
}

TEST_F(ReadoutPass, CardsAppendedBetweenPassesEachGiveExactlyOneNewPunchFile) {
    std::string bytes =
        logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "2", "FIN", "10:30:00")});
    writeFile(logPath, bytes);
    EXPECT_EQ(pass().newPunchFiles, (std::vector<std::string>{"12"}));
    table.appendRow(tableOf({{"14", "777"}}).row(1));
    bytes += punch("500", "1", "STA", "10:10:00") + punch("500", "2", "FIN", "10:40:00");
    writeFile(logPath, bytes);
    EXPECT_EQ(pass().newPunchFiles, (std::vector<std::string>{"13"}));
    bytes += punch("777", "1", "STA", "10:20:00") + punch("777", "2", "FIN", "10:50:00");
    writeFile(logPath, bytes);
    EXPECT_EQ(pass().newPunchFiles, (std::vector<std::string>{"14"}));
    EXPECT_TRUE(pass().newPunchFiles.empty());
    EXPECT_EQ(printed, (std::vector<std::string>{"12", "13", "14"}));
    EXPECT_EQ(filesIn(stageFolder), (std::vector<std::string>{"12.si", "13.si", "14.si"}));
}

TEST_F(ReadoutPass, AnUnknownCardGetsAnSiFileAndAPassWithoutMemoryCautionsEveryTime) {
    writeFile(logPath, logOf({punch("9", "1", "STA", "10:00:00"), punch("9", "31", " CN", "10:05:00"),
                              punch("9", "2", "FIN", "10:30:00")}));
    auto result = pass();
    EXPECT_EQ(filesIn(stageFolder), (std::vector<std::string>{"SI9.si"}));
    EXPECT_EQ(result.unassigned, (std::vector<std::string>{"SI9"}));
    EXPECT_TRUE(printed.empty());
    result = pass(Language::Czech);
    EXPECT_EQ(result.unassigned, (std::vector<std::string>{"SI9"}));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "SIlog read", "CAUTION! SI card 9 is not assigned to any competitor!!",
                               "SIlog read", "POZOR! Cip 9 neni přiřazený žádnému závodníkovi!!"}));
}

TEST_F(ReadoutPass, AnUnknownCardReadTwiceAmongOthersIsCautionedOncePerPass) {
    writeFile(logPath, logOf({punch("9", "1", "STA", "10:00:00"), punch("8", "1", "STA", "10:00:00"),
                              punch("9", "2", "FIN", "10:30:00"), punch("9", "1", "STA", "10:40:00")}));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(pass().unassigned, (std::vector<std::string>{"SI9", "SI8"}));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "SIlog read", "CAUTION! SI card 9 is not assigned to any competitor!!",
                               "CAUTION! SI card 8 is not assigned to any competitor!!", "SIlog read",
                               "CAUTION! SI card 9 is not assigned to any competitor!!",
                               "CAUTION! SI card 8 is not assigned to any competitor!!"}));
    EXPECT_EQ(punchFile("SI9"),
              "1;9;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n1;9;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");
}

TEST_F(ReadoutPass, WithMemoryAnUnknownCardIsCautionedOnceItsLinesAreInAndAgainOnlyWhenTheyChange) {
    const auto memory = makeReadoutMemory();
    std::string bytes = logOf({punch("9", "1", "STA", "10:00:00"), punch("9", "31", " CN", "10:05:00")});
    writeFile(logPath, bytes);
    auto result = passWhileWriting(Language::English, memory.get());
    EXPECT_TRUE(result.cardsBeingRead);
    EXPECT_EQ(result.unassigned, (std::vector<std::string>{"SI9"}));
    EXPECT_TRUE(filesIn(stageFolder).empty());
    result = pass(Language::English, memory.get());
    EXPECT_FALSE(result.cardsBeingRead);
    const std::string file = punchFile("SI9");
    EXPECT_EQ(pass(Language::Czech, memory.get()).unassigned, (std::vector<std::string>{"SI9"}));
    bytes += punch("9", "1", "STA", "11:00:00") + punch("9", "2", "FIN", "11:30:00"); // read again
    writeFile(logPath, bytes);
    pass(Language::English, memory.get());
    pass(Language::English, memory.get());
    EXPECT_EQ(punchFile("SI9"), file);
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{
                  "SIlog read", "SI card 9 is still being read; its punch file will be written later.",
                  "SIlog read", "CAUTION! SI card 9 is not assigned to any competitor!!", "SIlog read",
                  "SIlog read", "CAUTION! SI card 9 is not assigned to any competitor!!", "SIlog read"}));
}

TEST_F(ReadoutPass, TheHigherOfTwoCompetitorsWithOneCardGetsItAndRowsWithoutIdNeverMatch) {
    table = tableOf({{"", "2045117"}, {"21", "2045117"}, {"22", "2045117"}, {"", ""}});
    writeFile(logPath,
              logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "2", "FIN", "10:30:00")}));
    pass();
    EXPECT_EQ(filesIn(stageFolder), (std::vector<std::string>{"21.si"}));
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"SIlog read", "In competitor table some of the \"ID\"s are missing!",
                                        "In competitor table some of the \"ID\"s are missing!"}));
}

TEST_F(ReadoutPass, TwelveHourClockIsCorrectedAgainstTheLatestStartHourAcrossCards) {
    table = tableOf({{"1", "100"}, {"2", "200"}, {"3", "300"}});
    writeFile(logPath, logOf({punch("100", "1", "STA", "11:58:00"), punch("100", "31", " CN", "01:05:10"),
                              punch("100", "32", " CN", "11:59:00"), punch("200", "31", " CN", "02:00:00"),
                              punch("300", "1", "STA", "23:00:00"), punch("300", "31", " CN", "00:10:00"),
                              punch("300", "2", "FIN", "23:59:00")}));
    pass();
    EXPECT_EQ(punchFile("1"), "1;100;1;STA;1;6;2023-10-31;11:58:00;5;12;\r\n"
                              "1;100;31; CN;1;6;2023-10-31;13:05:10;5;12;\r\n"
                              "1;100;32; CN;1;6;2023-10-31;11:59:00;5;12;\r\n");
    EXPECT_EQ(punchFile("2"), "1;200;31; CN;1;6;2023-10-31;14:00:00;5;12;\r\n");
    EXPECT_EQ(punchFile("3"), "1;300;1;STA;1;6;2023-10-31;23:00:00;5;12;\r\n"
                              "1;300;31; CN;1;6;2023-10-31;12:10:00;5;12;\r\n"
                              "1;300;2;FIN;1;6;2023-10-31;23:59:00;5;12;\r\n");
}

TEST_F(ReadoutPass, DatesStayAsReadUnlessRewrittenAndBlanksLeaveDateAndTime) {
    writeFile(logPath, logOf({punch("2045117", "1", "STA", " 10:00 :00", "2023 -10-31"),
                              punch("500", "1", "STA", "10:00:00")}));
    pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n");
    options.rewriteDate = true;
    options.raceDate = "2023-11-01";
    std::filesystem::remove(stageFolder + "12.si");
    std::filesystem::remove(stageFolder + "13.si");
    pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;1;STA;1;6;2023-11-01;10:00:00;5;12;\r\n");
    EXPECT_EQ(punchFile("13"), "1;500;1;STA;1;6;2023-11-01;10:00:00;5;12;\r\n");
}

TEST_F(ReadoutPass, AHeaderLikeLineAnywhereStopsReadingAndAssignsNothing) {
    for (const std::string header :
         {std::string("x;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt"),
          std::string(kSiLogHeader) + ";"}) {
        writeFile(logPath, logOf({punch("2045117", "1", "STA", "10:00:00"), header + "\r\n",
                                  punch("500", "1", "STA", "10:00:00")}));
        log = LogLines();
        const auto result = pass();
        EXPECT_TRUE(filesIn(stageFolder).empty());
        EXPECT_TRUE(result.replaceMemo2);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"Check out the SI-log (CSV file)! There is a line which shall "
                                            "be deleted manually (probably the first one)",
                                            "SIlog read"}));
    }
}

TEST_F(ReadoutPass, TheExactHeaderAnywhereIsSkipped) {
    writeFile(logPath, logOf({punch("2045117", "1", "STA", "10:00:00"), std::string(kSiLogHeader) + "\r\n",
                              punch("2045117", "2", "FIN", "10:30:00")}));
    pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                               "1;2045117;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");
}

TEST_F(ReadoutPass, EmptyCodesGetSubstituteCodesFrom9999DownAndAreWritten) {
    writeFile(logPath, logOf({punch("2045117", "", " CN", "10:00:00"),
                              punch("2045117", "", " CN", "10:01:00"), punch("500", "", " CN", "10:02:00")}));
    pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;9999; CN;1;6;2023-10-31;10:00:00;5;12;\r\n"
                               "1;2045117;9998; CN;1;6;2023-10-31;10:01:00;5;12;\r\n");
    EXPECT_EQ(punchFile("13"), "1;500;9997; CN;1;6;2023-10-31;10:02:00;5;12;\r\n");
}

TEST_F(ReadoutPass, LinesWithoutModeOrTimeAreReportedAndStillTakePart) {
    writeFile(logPath, logOf({punch("2045117", "31", "", "10:00:00"), punch("2045117", "32", " CN", "  ")}));
    pass(Language::Czech);
    EXPECT_EQ(punchFile("12"), "1;2045117;31;;1;6;2023-10-31;10:00:00;5;12;\r\n"
                               "1;2045117;32; CN;1;6;2023-10-31;;5;12;\r\n");
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"Error in CSV file [SI2045117], missing control code or time.",
                                        "Error in CSV file [SI2045117], missing control code or time.",
                                        "SIlog read"}));
}

TEST_F(ReadoutPass, LongLinesAreStoredCutTo66Characters) {
    writeFile(logPath,
              logOf({"1;2045117;31; CN;1;6;2023-10-31;10:00:00;5;" + std::string(40, 'x') + ";\r\n"}));
    pass();
    const std::string line = "1;2045117;31; CN;1;6;2023-10-31;10:00:00;5;" + std::string(40, 'x') + ";";
    EXPECT_EQ(punchFile("12"), line.substr(0, 66) + "\r\n");
}

TEST_F(ReadoutPass, MalformedLinesAreReportedAndSkippedWhileTheOtherCardsGoOn) {
    std::vector<std::string> lines = {punch("2045117", "1", "STA", "10:00:00"),
                                      "1;2045117;31; CN;1;6\r\n",
                                      "1;2045117;12345; CN;1;6;2023-10-31;10:05:00;5;12;\r\n",
                                      std::string(100000, 'z') + "\r\n",
                                      std::string("\0\x01\x02;;;;;;;;;;\r\n", 15),
                                      punch("500", "1", "STA", "10:00:00")};
    for (int i = 0; i < 12; ++i)
        lines.push_back("junk\r\n");
    writeFile(logPath, logOf(lines));
    pass();
    EXPECT_EQ(punchFile("12"), "1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n");
    EXPECT_EQ(punchFile("13"), "1;500;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n");
    ASSERT_EQ(log.lines().size(), 12u);
    EXPECT_EQ(log.lines()[0], "Line 3 of the SI log is not in the expected format and was skipped.");
    EXPECT_EQ(log.lines()[9], "Line 13 of the SI log is not in the expected format and was skipped.");
    EXPECT_EQ(log.lines()[10], "Further malformed lines of the SI log: 6");
    EXPECT_EQ(log.lines()[11], "SIlog read");
}

TEST_F(ReadoutPass, ALogOfFewerThan128BytesIsNotRead) {
    const std::string bytes = logOf({punch("2045117", "1", "STA", "10:00:00")});
    ASSERT_LT(bytes.size(), 128u);
    writeFile(logPath, bytes);
    const auto result = pass();
    EXPECT_TRUE(filesIn(stageFolder).empty());
    EXPECT_TRUE(result.replaceMemo2);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SIlog read"}));
}

TEST_F(ReadoutPass, MissingLogClearsMemo2AndEmptyPathOrLockedLogLeaveIt) {
    options.logPath = race.file("none.csv");
    auto result = pass();
    EXPECT_TRUE(result.replaceMemo2);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SIlog read"}));
    options.logPath = "";
    result = pass();
    EXPECT_FALSE(result.replaceMemo2);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(ReadoutPass, TheLampTurnsRedThenGreenInTurn) {
    options.lamp = LampColour::Silver;
    EXPECT_EQ(pass().lamp, LampColour::Red);
    options.lamp = LampColour::Red;
    EXPECT_EQ(pass().lamp, LampColour::Green);
    options.lamp = LampColour::Green;
    EXPECT_EQ(pass().lamp, LampColour::Red);
}

TEST_F(ReadoutPass, AMissingStageFolderIsReportedAndNothingIsWrittenTheNextPassTriesAgain) {
    options.stageFolder = race.path() + "E2/";
    writeFile(logPath,
              logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "2", "FIN", "10:30:00")}));
    auto result = pass();
    EXPECT_TRUE(result.newPunchFiles.empty());
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(log.lines()[1],
              "The stage folder does not exist, the read cards cannot be saved: " + race.path() + "E2/");
    std::filesystem::create_directory(race.path() + "E2");
    result = pass();
    EXPECT_EQ(result.newPunchFiles, (std::vector<std::string>{"12"}));
}

TEST_F(ReadoutPass, AnIdThatIsNoFileNameIsReportedAndNothingLeavesTheStageFolder) {
    table = tableOf({{"../x", "2045117"}});
    writeFile(logPath,
              logOf({punch("2045117", "1", "STA", "10:00:00"), punch("2045117", "2", "FIN", "10:30:00")}));
    pass();
    EXPECT_TRUE(filesIn(stageFolder).empty());
    EXPECT_EQ(filesIn(race.path()), (std::vector<std::string>{"E1", "log.csv"}));
    EXPECT_EQ(log.lines().back(), "The competitor ID cannot be used as a file name: ../x");
}

TEST(ReadoutTimer, IntervalFromLeadingDigitsWithFiveSecondsForAnythingElse) {
    EXPECT_EQ(readoutIntervalMs("5"), 5000);
    EXPECT_EQ(readoutIntervalMs("12s"), 12000);
    EXPECT_EQ(readoutIntervalMs("0"), 5000);
    EXPECT_EQ(readoutIntervalMs("abc"), 5000);
    EXPECT_EQ(readoutIntervalMs(""), 5000);
    EXPECT_EQ(readoutTimerMessage(Language::Czech, "12s"),
              "Časovač spuštěn, jednou za 12s s bude zkontrolován SI Log.");
    EXPECT_EQ(readoutTimerMessage(Language::English, "7"),
              "Timer is on, each 7 s the SI Log will be checked.");
}
