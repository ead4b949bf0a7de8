#include "core/competitor_file.h"
#include "core/errors.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/manual_entry.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

// Class H21: controls 1 to 3 (flags "A", "A-B", "A-C"), station code 100 * control + answer
// (A = 1 ... F = 6, Z = 7), breaks 91 to 92, two timed-control stations of up to 3 tasks.
RaceRecord sampleStage() {
    RaceRecord stage;
    stage.stage_number = 1;
    stage.stage_date = "2023-11-01";
    stage.stage_start = "10:00";
    ClassDefinition& h21 = stage.classes[0];
    h21.class_name = "H21";
    const char* flags[] = {"A", "A-B", "A-C"};
    for (int k = 0; k < 3; ++k) {
        h21.control_flags[k] = flags[k];
        h21.control_answer[k] = "A";
        for (int j = 0; j < kAnswersPerControl; ++j)
            h21.answer_codes[k][j] = 100 * (k + 1) + j + 1;
    }
    h21.break1_from_code = 91;
    h21.break1_to_code = 92;
    h21.cluster_answers[0][0] = "A";
    h21.cluster_answers[0][1] = "B";
    h21.cluster_answers[1][0] = "C";
    h21.cluster_answers[1][2] = "Z";
    stage.classes[1].class_name = "D21";
    return stage;
}

class ManualEntryTest : public ::testing::Test {
protected:
    TempFolder folder;
    Session session;
    ManualEntry entry{session};
    std::string stageFolder = folder.path() + "E1/";

    void SetUp() override {
        createRaceFile(folder.file("cup.ravik"), sampleStage());
        std::filesystem::create_directory(stageFolder);
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        addCompetitor("11", "Dvořák", "D21", "77", "");
        addCompetitor("12", "Novák", "H21", "2045117", "30");
        session.saveCompetitors();
    }
    void addCompetitor(const std::string& id, const std::string& name, const std::string& cls,
                       const std::string& si, const std::string& offset) {
        TableRow row;
        row[column::kId] = id;
        row[column::kName] = name;
        row[column::kClass] = cls;
        row[column::kSi] = si;
        row[column::start(1)] = offset;
        session.table.appendRow(row);
    }
    std::vector<std::string> preoRow(int row) {
        std::vector<std::string> cells;
        for (int c = 1; c < entry.preoGrid.columns(); ++c)
            cells.push_back(entry.preoGrid.at(row, c));
        return cells;
    }
    void type(int row, int column, const std::string& text) {
        entry.preoGrid.at(row, column) = text;
        entry.keyReleasedInPreo(row, column);
    }
};

using Cells = std::vector<std::string>;

} // namespace

TEST_F(ManualEntryTest, ShowingChoosesTheFirstCompetitorAndLaysOutTheGridsOfTheClass) {
    entry.show();
    EXPECT_EQ(entry.lists.ids, (Cells{"11", "12"}));
    EXPECT_EQ(entry.id, "11");
    EXPECT_EQ(entry.className, "D21");
    EXPECT_EQ(entry.preoGrid.columns(), 1);
    entry.chooseByName("Novák");
    EXPECT_EQ(entry.id, "12");
    EXPECT_EQ(entry.card, "2045117");
    EXPECT_EQ(entry.className, "H21");
    EXPECT_EQ(preoRow(0), (Cells{"K1", "K2", "K3"}));
    EXPECT_EQ(entry.preoGrid.at(1, 0), "Odp.");

    addCompetitor("101", "Malý", "H21", "", "");
    addCompetitor("9", "Velký", "H21", "", "");
    addCompetitor("x7", "Host", "H21", "", "");
    entry.refillListsFromTable();
    EXPECT_EQ(entry.lists.ids, (Cells{"9", "11", "12", "101", "x7"})) << "by number, not table order";
    EXPECT_EQ(entry.preoGrid.at(2, 0), "SI");
    EXPECT_EQ(entry.tasks, 3);
    EXPECT_EQ(entry.tempoGrid.rows(), 3);
    EXPECT_EQ(entry.tempoGrid.columns(), 5);
    EXPECT_EQ(entry.tempoGrid.at(0, 1), "K1");
    EXPECT_EQ(entry.tempoGrid.at(0, 4), "\xE8"
                                        "as [s]"); // "čas [s]" in code page 1250
    EXPECT_EQ(entry.tempoGrid.at(2, 0), "Cluster 2");
    EXPECT_EQ(entry.timeEditVisible, (std::array<bool, kTimeEdits>{true, true, true, false, true, false}));
}

TEST_F(ManualEntryTest, ACompetitorWithoutPunchFileShowsTheDefaultStartAndEmptyGrids) {
    entry.show();
    entry.chooseById("12");
    EXPECT_EQ(entry.times[kStartEdit], "10:30:00");
    EXPECT_EQ(entry.times[kFinishEdit], "");
    EXPECT_EQ(entry.date, "2023-11-01");
    for (int row = 1; row < preo::kRows; ++row)
        EXPECT_EQ(preoRow(row), (Cells{"", "", ""}));
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 5; ++c)
            EXPECT_EQ(entry.tempoGrid.at(r, c), "");
}

TEST_F(ManualEntryTest, TypingAcAtAControlOfRangeACGivesTwoCodesAndTwoLinesWithOneTimeAndOrder) {
    entry.show();
    entry.chooseById("12");
    type(preo::kAnswers, 3, "ac");
    EXPECT_EQ(entry.preoGrid.at(preo::kAnswers, 3), "AC");
    EXPECT_EQ(entry.preoGrid.at(preo::kCodes, 3), "301,303");
    EXPECT_EQ(entry.preoGrid.at(preo::kOrder, 3), "3");
    type(preo::kAnswers, 2, "bcz");
    EXPECT_EQ(entry.preoGrid.at(preo::kCodes, 2), "202,207"); // C lies outside "A-B"
    entry.preoGrid.at(preo::kTime, 3) = "10:40:00";
    entry.preoGrid.at(preo::kTime, 2) = "10:45:00";
    entry.times[kFinishEdit] = "11:00:00";
    entry.savePunch();
    EXPECT_EQ(readFile(stageFolder + "12.si"), "MANUAL;2045117;1;STA;RDO;6;2023-11-01;10:30:00;0;00\r\n"
                                               "MANUAL;2045117;202; CN;RDO;6;2023-11-01;10:45:00;1;00\r\n"
                                               "MANUAL;2045117;207; CN;RDO;6;2023-11-01;10:45:00;2;00\r\n"
                                               "MANUAL;2045117;301; CN;RDO;6;2023-11-01;10:40:00;3;00\r\n"
                                               "MANUAL;2045117;303; CN;RDO;6;2023-11-01;10:40:00;4;00\r\n"
                                               "MANUAL;2045117;91; CN;RDO;6;2023-11-01;;5;00\r\n"
                                               "MANUAL;2045117;92; CN;RDO;6;2023-11-01;;6;00\r\n"
                                               "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;11:00:00;7;00\r\n");
}

TEST_F(ManualEntryTest, OrderNumbers51And05AndCodesZeroAreNotSaved) {
    entry.show();
    entry.chooseById("12");
    type(preo::kAnswers, 1, "A");
    type(preo::kAnswers, 2, "A");
    type(preo::kAnswers, 3, "A");
    entry.preoGrid.at(preo::kOrder, 1) = "51";
    entry.preoGrid.at(preo::kOrder, 2) = "05";
    entry.preoGrid.at(preo::kCodes, 3) = "0";
    entry.savePunch();
    EXPECT_EQ(readFile(stageFolder + "12.si"), "MANUAL;2045117;1;STA;RDO;6;2023-11-01;10:30:00;0;00\r\n"
                                               "MANUAL;2045117;91; CN;RDO;6;2023-11-01;;1;00\r\n"
                                               "MANUAL;2045117;92; CN;RDO;6;2023-11-01;;2;00\r\n");
}

TEST_F(ManualEntryTest, LoadingAPunchFileFillsTheGridAndTheEdits) {
    writeFile(stageFolder + "12.si", "1;2045117;1;STA;1;6;2023-10-31;10:02:00;5;12;\r\n"
                                     "1;2045117;101; CN;1;6;2023-10-31;10:05:00;5;12;\r\n"
                                     "1;2045117;303; CN;1;6;2023-10-31;10:07:00;5;12;\r\n"
                                     "1;2045117;301; CN;1;6;2023-10-31;10:08:00;5;12;\r\n"
                                     "1;2045117;91; CN;1;6;2023-10-31;10:10:00;5;12;\r\n"
                                     "MANUAL;2045117;1;FIN;RDO;6;2023-11-02;11:40:12;7;00\r\n");
    writeFile(stageFolder + "12.tc2", "A-C;35;*\r\n-BZ;x7;*\r\n");
    entry.show();
    entry.chooseById("12");
    EXPECT_EQ(entry.times[kStartEdit], "10:02:00");
    EXPECT_EQ(entry.times[kFinishEdit], "11:40:12");
    EXPECT_EQ(entry.times[kBreak1FromEdit], "10:10:00");
    EXPECT_EQ(entry.si1, "MANUAL");
    EXPECT_EQ(entry.date, "2023-11-02");
    EXPECT_EQ(preoRow(preo::kAnswers), (Cells{"A", "", "CA"}));
    EXPECT_EQ(preoRow(preo::kCodes), (Cells{"101", "", "303,301"}));
    EXPECT_EQ(preoRow(preo::kTime), (Cells{"10:05:00", "", "10:08:00"}));
    EXPECT_EQ(preoRow(preo::kOrder), (Cells{"1", "", "3"}));
    EXPECT_EQ(entry.tempoGrid.at(1, 1), "A");
    EXPECT_EQ(entry.tempoGrid.at(1, 2), "");
    EXPECT_EQ(entry.tempoGrid.at(1, 3), "C");
    EXPECT_EQ(entry.tempoGrid.at(1, 4), "35");
    EXPECT_EQ(entry.tempoGrid.at(2, 3), "Z");
    EXPECT_EQ(entry.tempoGrid.at(2, 4), "x7");
}

TEST_F(ManualEntryTest, SaveTcWritesOneCharacterPerTaskWithDashesForUndefinedTasks) {
    entry.show();
    entry.chooseById("12");
    entry.tempoGrid.at(1, 1) = "b";
    entry.keyReleasedInTempo(1, 1);
    entry.tempoGrid.at(1, 3) = "C"; // task 3 is not defined at station 1
    entry.tempoGrid.at(1, 4) = "35";
    entry.tempoGrid.at(2, 3) = "Zx";
    entry.tempoGrid.at(2, 4) = "1;2";
    entry.saveTimedControls();
    EXPECT_EQ(readFile(stageFolder + "12.tc2"), "B--;35;*\r\n--Z;12;*\r\n");
    entry.saveTimedControls(); // each selection rewrites the file
    EXPECT_EQ(readFile(stageFolder + "12.tc2"), "B--;35;*\r\n--Z;12;*\r\n");
}

TEST_F(ManualEntryTest, EditingAidsMoveRightOnlyFromFilledCellsAndKeepToTheGrid) {
    entry.show();
    entry.chooseById("12");
    EXPECT_EQ(entry.rightArrowInPreo(preo::kAnswers, 1), 1);
    type(preo::kAnswers, 1, "a");
    EXPECT_EQ(entry.rightArrowInPreo(preo::kAnswers, 1), 2);
    EXPECT_EQ(entry.rightArrowInPreo(preo::kTime, 1), 1);
    type(preo::kAnswers, 3, "a");
    EXPECT_EQ(entry.rightArrowInPreo(preo::kAnswers, 3), 3);
    entry.tempoGrid.at(1, 4) = "35";
    EXPECT_EQ(entry.rightArrowInTempo(1, 4), 4);
    entry.keyReleasedInTempo(1, 4);
    entry.keyDown(39);
    EXPECT_EQ(entry.preoGrid.at(0, 0), "39");
}

TEST_F(ManualEntryTest, SavingIntoAMissingStageFolderIsAFileError) {
    entry.show();
    entry.chooseById("12");
    std::filesystem::remove_all(stageFolder);
    EXPECT_THROW(entry.savePunch(), IoError);
    EXPECT_THROW(entry.saveTimedControls(), IoError);
}

TEST(ManualEntryTimes, TimeEditsTurnRedUnlessEmptyOrHhMmSs) {
    EXPECT_TRUE(isBadTimeText("7:05:00"));
    EXPECT_FALSE(isBadTimeText("07:05:00"));
    EXPECT_FALSE(isBadTimeText(""));
    EXPECT_TRUE(isBadTimeText("07-05-00"));
    EXPECT_TRUE(isBadTimeText("07:05:000"));
}

TEST(ManualEntryTimes, DefaultStartAddsTheOffsetInWholeSecondsAndWrapsPastMidnight) {
    EXPECT_EQ(defaultStartTime("10:00", "30"), "10:30:00");
    EXPECT_EQ(defaultStartTime("10:00", "2.51"), "10:02:30");
    EXPECT_EQ(defaultStartTime("23:50", "15"), "00:05:00");
    EXPECT_EQ(defaultStartTime("09:05", ""), "09:05:00");
    EXPECT_EQ(defaultStartTime("", "x"), "00:00:00");
}
