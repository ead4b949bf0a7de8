#include "publish/timed_control_merge.h"
#include "publish_fixture.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

class TimedControlMerge : public ::testing::Test, public PublishRace {
protected:
    void part(const std::string& name, const std::string& line) { writeFile(stageFile(name), line + "\r\n"); }
    void merge(MergeMode mode) {
        mergeTimedControlFiles(session.race.currentStageFolder(), publishingStage(), session.table, mode,
                               Language::English, session.log);
    }
};

TEST(TimedControlRules, StationsAndValidPartLines) {
    EXPECT_EQ(stationCount(publishingStage()), 3);
    EXPECT_EQ(stationCount(RaceRecord{}), 0);
    EXPECT_TRUE(isValidPartLine("ABC;123;"));
    EXPECT_TRUE(isValidPartLine("AB;95"));
    EXPECT_FALSE(isValidPartLine("A-C;123;"));
    EXPECT_FALSE(isValidPartLine("abc;12;"));
    EXPECT_FALSE(isValidPartLine("ABC;1x2;"));
    EXPECT_FALSE(isValidPartLine("ABC"));
}

TEST_F(TimedControlMerge, MissingStationGetsOneDashPerTaskOfTheCompetitorsClass) {
    part("17_1.tc2", "ABC;31;");
    part("17_3.tc2", "AB;12;");
    merge(MergeMode::CheckedKeepCorrected);
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\nAB;12;\r\n");
    // 18 and 19 have no part file and get no merged file.
    EXPECT_FALSE(fileExists(stageFile("18.tc2")));
    EXPECT_FALSE(fileExists(stageFile("19.tc2")));
}

TEST_F(TimedControlMerge, CompetitorMissingFromTheTableGetsBareSeparators) {
    part("55_2.tc2", "A;7;");
    merge(MergeMode::Plain);
    EXPECT_EQ(readFile(stageFile("55.tc2")), ";;\r\nA;7;\r\n;;\r\n");
    EXPECT_TRUE(log().empty());
}

TEST_F(TimedControlMerge, GarbledPartIsNamedAndTheMergedFileStaysAsItWas) {
    const std::string valid = "ABC;30;\r\nABCD;288;\r\nAB;12;\r\n";
    writeFile(stageFile("17.tc2"), valid);
    part("17_1.tc2", "ABC;31;");
    writeFile(stageFile("17_2.tc2"), std::string("\x8b\x08\0\0garbled", 11));
    part("19_1.tc2", "A-C;10;"); // no merged file of 19 yet: none is made
    part("18_1.tc2", "Z;5;");
    EXPECT_EQ(mergeTimedControlFiles(session.race.currentStageFolder(), publishingStage(), session.table,
                                     MergeMode::CheckedKeepCorrected, Language::English, session.log),
              2);
    EXPECT_TRUE(logged("Invalid TC record at 17_2.tc2 !"));
    EXPECT_TRUE(logged("ID17 TC NOT updated from FTP, the file stays as it was."));
    EXPECT_EQ(readFile(stageFile("17.tc2")), valid);
    EXPECT_TRUE(logged("Invalid TC record at 19_1.tc2 !"));
    EXPECT_FALSE(fileExists(stageFile("19.tc2")));
    EXPECT_EQ(readFile(stageFile("18.tc2")), "Z;5;\r\n-;;\r\n;;\r\n") << "the others are merged";

    part("17_2.tc2", "A-CD;40;");
    merge(MergeMode::Plain);
    // The plain merge takes the same line as it is; cluster 3 has three filled slots ("X" counts).
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\nA-CD;40;\r\n---;;\r\n");
}

TEST_F(TimedControlMerge, HandCorrectedFileSurvivesAllButNotThePlainMerge) {
    writeFile(stageFile("19.tc2"), "ABC;30;*\r\nABCD;20;*\r\nAB;10;*\r\n");
    part("19_1.tc2", "CCC;44;");
    merge(MergeMode::CheckedKeepCorrected);
    EXPECT_TRUE(logged("ID19 TC already manually adjusted = NOT updated from FTP."));
    EXPECT_EQ(readFile(stageFile("19.tc2")), "ABC;30;*\r\nABCD;20;*\r\nAB;10;*\r\n");
    merge(MergeMode::PlainKeepCorrected);
    EXPECT_EQ(readFile(stageFile("19.tc2")), "ABC;30;*\r\nABCD;20;*\r\nAB;10;*\r\n");
    merge(MergeMode::Plain);
    EXPECT_EQ(readFile(stageFile("19.tc2")), "CCC;44;\r\n----;;\r\n---;;\r\n");
}

TEST_F(TimedControlMerge, OnlyTheFirstLineOfAPartFileCountsAndOddNamesAreSkipped) {
    writeFile(stageFile("18_1.tc2"), "Z;5;\r\nJUNK;1;\r\n");
    writeFile(stageFile("_1.tc2"), "A;1;\r\n");
    writeFile(stageFile("18_x.txt"), "A;1;\r\n");
    merge(MergeMode::CheckedKeepCorrected);
    EXPECT_EQ(readFile(stageFile("18.tc2")), "Z;5;\r\n-;;\r\n;;\r\n");
    EXPECT_FALSE(fileExists(stageFile(".tc2")));
    EXPECT_EQ(competitorsWithPartFiles(session.race.currentStageFolder()), std::vector<std::string>{"18"});
}

} // namespace
} // namespace ravik::test
