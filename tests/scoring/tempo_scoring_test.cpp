// TempO: timed-control stations and the TempO-style conversion.
#include "scoring/stage_scoring.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

// Class "T" with one PreO control "A" and station 1 of tasks A, B, C, penalty 60.
void addTimedClass(ScoringRace& race) {
    ClassDefinition definition = makeClass("T", "AA", 60);
    definition.cluster_answers[0][0] = "A";
    definition.cluster_answers[0][1] = "B";
    definition.cluster_answers[0][2] = "C";
    definition.cluster_penalty = 60;
    race.record.classes[0] = definition;
}

TEST(TempoScoring, AWrongAnswerCostsThePenaltyAndAMissingOneTwice) {
    ScoringRace race;
    addTimedClass(race);
    race.addCompetitor("1", "T", "Ann");
    race.writeTimedControls("1", {"AC-;45"});
    const StageResult result = race.score({"T"}).at(0);
    EXPECT_EQ(result.tcAnswer[0][0], "A");
    EXPECT_EQ(result.tcAnswer[0][1], "C");
    EXPECT_EQ(result.tcAnswer[0][2], "");
    EXPECT_FALSE(result.tcWrong[0][0]);
    EXPECT_TRUE(result.tcWrong[0][1]);
    EXPECT_TRUE(result.tcWrong[0][2]);
    EXPECT_EQ(result.tcPenalty[0], 180);
    EXPECT_EQ(result.tcSum, 45);
    EXPECT_EQ(result.total, 225);
}

TEST(TempoScoring, TimeFieldKeepsItsDigitsOnlyAndAMissingFileCostsEveryTaskTwice) {
    ScoringRace race;
    addTimedClass(race);
    race.addCompetitor("1", "T", "Ann");
    race.addCompetitor("2", "T", "Bob");
    race.writeTimedControls("1", {"ABC;1:05;*"});
    race.writePunches("2", {finishPunch("10:40:00")}); // read out, but no timed-control answers
    const auto results = race.score({"T"});
    EXPECT_EQ(results[0].tcTime[0], 105);
    EXPECT_EQ(results[0].total, 105);
    EXPECT_EQ(results[1].total, 360);
    EXPECT_EQ(results[1].tcPenalty[0], 360);
    EXPECT_EQ(race.session.table.cell(2, column::tc(1)), "360");
}

TEST(TempoScoring, ASwitchedOffStationAddsNeitherTimeNorPenalty) {
    ScoringRace race;
    addTimedClass(race);
    race.record.classes[0].cluster_answers[0][9] = "X";
    race.record.classes[0].cluster_answers[1][0] = "D";
    race.addCompetitor("1", "T", "Ann");
    race.writeTimedControls("1", {"---;500", "D;20"});
    const StageResult result = race.score({"T"}).at(0);
    EXPECT_EQ(result.tcPenalty[0], 0);
    EXPECT_EQ(result.tcTime[0], 500); // read, but not scored
    EXPECT_EQ(result.tcSum, 20);
    EXPECT_EQ(result.total, 20);
}

TEST(TempoScoring, TempoStyleTurnsWrongControlsAndOvertimeIntoSeconds) {
    ScoringRace race;
    race.record.classes[0] = makeClass("T", "ABC", 60);
    race.addCompetitor("1", "T", "Ann"); // two wrong, one over-time unit
    race.addCompetitor("2", "T", "Bob"); // all right, no over-time
    race.addCompetitor("3", "T", "Cid"); // one wrong, fast
    race.writePunches("1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:10:00"),
                            controlPunch(answerCode(2, 'C'), "10:20:00"), finishPunch("11:00:01")});
    race.writePunches("2", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:10:00"),
                            controlPunch(answerCode(2, 'B'), "10:20:00"),
                            controlPunch(answerCode(3, 'C'), "10:30:00"), finishPunch("10:50:00")});
    race.writePunches("3", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:10:00"),
                            controlPunch(answerCode(2, 'B'), "10:20:00"),
                            controlPunch(answerCode(3, 'A'), "10:30:00"), finishPunch("10:40:00")});
    ScoringOptions options;
    options.tempoStyle = true;
    options.wrongAnswerPenalty = "60";
    const auto results = race.score({"T"}, options);
    EXPECT_EQ(results[0].total, 180);
    EXPECT_EQ(results[0].points, 0);
    EXPECT_EQ(results[0].overtime, 0);
    EXPECT_EQ(results[1].points, 3);
    EXPECT_EQ(results[1].total, 0);
    EXPECT_EQ(results[2].total, 60);
    EXPECT_EQ(results[1].place, 1);
    EXPECT_EQ(results[2].place, 2);
    EXPECT_EQ(results[0].place, 3);
    EXPECT_EQ(race.session.table.cell(1, column::tc(1)), "180");
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "0");
    EXPECT_EQ(race.session.table.cell(1, column::penalty(1)), "0");
}

TEST(TempoScoring, AnEmptyPenaltyEditMeansSixtySeconds) {
    EXPECT_EQ(wrongAnswerPenaltySeconds(""), 60);
    EXPECT_EQ(wrongAnswerPenaltySeconds("4x5"), 45);
    EXPECT_EQ(wrongAnswerPenaltySeconds("30"), 30);
}

} // namespace
} // namespace ravik::test
