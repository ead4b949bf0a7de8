#include "core/errors.h"
#include "readout/punch_file.h"
#include "readout/timed_control_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

TEST(PunchFile, ReadOutAndManualLinesGiveTheSameCodeModeAndTime) {
    const auto lines = parsePunchFile("1;2045117;31; CN;1;6;2023-11-01;10:23:45;5;12;\r\n"
                                      "MANUAL;2045117;31; CN;RDO;6;2023-11-01;10:23:45;1;00\r\n"
                                      "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;11:40:12;7;00");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].code, lines[1].code);
    EXPECT_EQ(lines[0].mode, lines[1].mode);
    EXPECT_EQ(lines[0].time, lines[1].time);
    EXPECT_EQ(lines[0], (PunchLine{"1", "2045117", "31", " CN", "2023-11-01", "10:23:45"}));
    EXPECT_EQ(lines[1].eventId, "MANUAL");
    EXPECT_TRUE(lines[0].isControl());
    EXPECT_TRUE(lines[2].isFinish());
    EXPECT_EQ(lines[2].time, "11:40:12");
}

TEST(PunchFile, ShortLinesHaveEmptyFieldsAndModeCnWithoutBlankIsNoControlPunch) {
    const auto lines = parsePunchFile("1;2;31;CN\n\n;;;STA;;;;09:00:00;;;;;;;;;");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].isControl());
    EXPECT_EQ(lines[0].time, "");
    EXPECT_EQ(lines[1], PunchLine{});
    EXPECT_TRUE(lines[2].isStart());
    EXPECT_EQ(lines[2].time, "09:00:00");
}

TEST(PunchFile, MissingFileMeansNoPunchesAndAFolderInItsPlaceIsAnError) {
    TempFolder folder;
    EXPECT_TRUE(readPunchFile(folder.file("12.si")).empty());
    std::filesystem::create_directory(folder.file("13.si"));
    EXPECT_TRUE(readPunchFile(folder.file("13.si")).empty()); // a folder is no punch file
}

TEST(PunchFile, ManualLinesAreWrittenWholeWithCrLf) {
    TempFolder folder;
    const std::string path = punchFilePath(folder.path(), "12");
    EXPECT_EQ(path, folder.path() + "12.si");
    writeFile(path, "old content that is much longer than the new one\r\n");
    writePunchFile(path, {manualPunchLine("2045117", "1", "STA", "2023-11-01", "10:02:00", 0),
                          manualPunchLine("2045117", "31", " CN", "2023-11-01", "10:23:45", 1)});
    EXPECT_EQ(readFile(path), "MANUAL;2045117;1;STA;RDO;6;2023-11-01;10:02:00;0;00\r\n"
                              "MANUAL;2045117;31; CN;RDO;6;2023-11-01;10:23:45;1;00\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(PunchFile, WritingIntoAMissingFolderThrowsIoError) {
    TempFolder folder;
    EXPECT_THROW(writePunchFile(folder.path() + "E9/12.si", {"x"}), IoError);
    EXPECT_THROW(writeTimedControlFile(folder.path() + "E9/12.tc2", {"x"}), IoError);
}

TEST(PunchFile, NamesThatCouldLeaveTheStageFolderAreNotFileNames) {
    EXPECT_TRUE(isSafeFileName("12"));
    EXPECT_TRUE(isSafeFileName("SI2045117"));
    EXPECT_FALSE(isSafeFileName(""));
    EXPECT_FALSE(isSafeFileName(".."));
    EXPECT_FALSE(isSafeFileName("../12"));
    EXPECT_FALSE(isSafeFileName("a\\b"));
    EXPECT_FALSE(isSafeFileName(std::string("1\0", 2)));
}

TEST(TimedControlFile, AnswersUpToTheFirstSemicolonAndDigitsOfTheTimeField) {
    const auto lines = parseTimedControlFile("A-C------;95;*\r\n---------;;\r\nBZ;1x2;*\r\nC\r\n;;\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].answer(1), 'A');
    EXPECT_EQ(lines[0].answer(2), std::nullopt);
    EXPECT_EQ(lines[0].answer(3), 'C');
    for (int task = 4; task <= 10; ++task)
        EXPECT_EQ(lines[0].answer(task), std::nullopt);
    EXPECT_EQ(lines[0].seconds, 95);
    for (int task = 1; task <= 9; ++task)
        EXPECT_EQ(lines[1].answer(task), std::nullopt);
    EXPECT_EQ(lines[1].seconds, std::nullopt);
    EXPECT_EQ(lines[2].seconds, 12);
    EXPECT_EQ(lines[3].answers, "C");
    EXPECT_EQ(lines[3].seconds, std::nullopt);
    EXPECT_EQ(lines[4].answers, "");
}

TEST(TimedControlFile, HugeTimesAreNoTimeAndLinesAfterTheTwentiethAreIgnored) {
    EXPECT_EQ(parseTimedControlLine("A;99999999999999;").seconds, std::nullopt);
    EXPECT_EQ(parseTimedControlLine("A;2147483647;").seconds, 2147483647);
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "A;1;*\r\n";
    EXPECT_EQ(parseTimedControlFile(many).size(), 20u);
}

TEST(TimedControlFile, ManualLinesEndWithStarAndRoundTrip) {
    TempFolder folder;
    const std::string path = timedControlFilePath(folder.path(), "7");
    writeTimedControlFile(path, {manualTimedControlLine("AB-", "35"), manualTimedControlLine("---", "")});
    EXPECT_EQ(readFile(path), "AB-;35;*\r\n---;;*\r\n");
    const auto lines = readTimedControlFile(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].answer(2), 'B');
    EXPECT_EQ(lines[0].seconds, 35);
    EXPECT_EQ(lines[1].seconds, std::nullopt);
    EXPECT_TRUE(readTimedControlFile(folder.file("8.tc2")).empty());
}
