// PreO scoring: answers, points, times, over-time, ranking and write-back.
#include "core/competitor_table.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/time_of_day.h"
#include "scoring/stage_scoring.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

ScoringOptions keepingOrder() {
    ScoringOptions options;
    options.keepOrder = true;
    return options;
}

// One competitor of class "A" (course `answers`) with the given punch lines, scored alone.
StageResult scoreOne(const std::string& answers, const std::vector<std::string>& punches,
                     ScoringOptions options = {}, int limitMinutes = 120) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", answers, limitMinutes);
    race.addCompetitor("1", "A", "Ann");
    race.writePunches("1", punches);
    return race.score({"A"}, options).at(0);
}

TEST(StageScoring, AnswersCollectLettersInPunchOrderAndRepeatsScoreNothing) {
    // Control 1 is "B", punched B then A; control 2 is "A", punched twice; control 3 is "Z".
    const StageResult result = scoreOne(
        "BAZ", {startPunch("10:00:00"), controlPunch(answerCode(1, 'B'), "10:01:00"),
                controlPunch(answerCode(1, 'A'), "10:02:00"), controlPunch(answerCode(2, 'A'), "10:03:00"),
                controlPunch(answerCode(2, 'A'), "10:04:00"), controlPunch(answerCode(3, 'Z'), "10:05:00"),
                finishPunch("10:06:00")});
    EXPECT_EQ(result.answer[0], "BA");
    EXPECT_TRUE(result.wrong[0]);
    EXPECT_EQ(result.answer[1], "A"); // shown collapsed, but still wrong
    EXPECT_TRUE(result.wrong[1]);
    EXPECT_EQ(result.answer[2], "Z");
    EXPECT_FALSE(result.wrong[2]);
    EXPECT_EQ(result.points, 1);
    EXPECT_EQ(result.start, "10:00:00");
    EXPECT_EQ(result.finish, "10:06:00");
    EXPECT_EQ(result.raceTime, 360);
    // A slot that is not a control of the class is neither answered nor wrong.
    EXPECT_EQ(result.answer[3], "");
    EXPECT_FALSE(result.wrong[3]);
}

TEST(StageScoring, FourPunchesKeepThreeLettersButNumberAndSplitOfTheFourth) {
    const StageResult result = scoreOne(
        "AB", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:00:30"),
               controlPunch(answerCode(1, 'B'), "10:01:00"), controlPunch(answerCode(1, 'C'), "10:02:00"),
               controlPunch(answerCode(1, 'D'), "10:04:00"), controlPunch(answerCode(2, 'B'), "10:05:10")});
    EXPECT_EQ(result.answer[0], "ABC");
    EXPECT_EQ(result.sequence[0], 4);
    EXPECT_EQ(result.split[0], 120);
    EXPECT_EQ(result.sequence[1], 5);
    EXPECT_EQ(result.split[1], 70);
    EXPECT_EQ(result.points, 1);
}

TEST(StageScoring, SplitsAboveHalfADayAreFoldedAndOtherLinesTakeNoNumber) {
    const StageResult result = scoreOne(
        "AB", {startPunch("00:00:00"), controlPunch(999, "00:00:10"),
               "1;2045117;" + std::to_string(answerCode(1, 'A')) + ";CN;1;6;d;00:00:20;;",
               controlPunch(answerCode(1, 'A'), "12:00:50"), controlPunch(answerCode(2, 'B'), "12:01:00")});
    EXPECT_EQ(result.split[0], 50); // 43 250 s
    EXPECT_EQ(result.sequence[0], 1);
    EXPECT_EQ(result.sequence[1], 2);
    EXPECT_EQ(result.split[1], 10);
}

TEST(StageScoring, StartComesFromZeroTimeAndTheScoredStagesOffsetWhenNotPunched) {
    {
        ScoringRace race;
        race.record.stage_start = "09:00";
        race.record.classes[0] = makeClass("A", "A");
        race.addCompetitor("1", "A", "Ann", "12.5");
        race.writePunches("1", {finishPunch("10:12:30")});
        const StageResult result = race.score({"A"}).at(0);
        EXPECT_EQ(result.raceTime, 3600); // from 09:12:30
        EXPECT_EQ(result.start, "");      // the entry's start stays empty
    }
    {
        ScoringRace race;
        race.record.stage_start = "23:50";
        race.record.classes[0] = makeClass("A", "A");
        const int row = race.addCompetitor("1", "A", "Ann", "15");
        race.setCell(row, column::start(2), "40"); // another stage's offset is not his start here
        race.session.race.setCurrentStageText("2");
        race.writePunches("1", {finishPunch("00:35:00")});
        const StageResult result = race.score({"A"}).at(0);
        EXPECT_EQ(result.raceTime, 1800); // from 00:05:00
    }
}

TEST(StageScoring, NoStartIsComputedFromAnOffsetOrZeroTimeThatIsNoNumber) {
    ScoringRace race;
    race.record.stage_start = "9:00";
    race.record.classes[0] = makeClass("A", "A");
    race.addCompetitor("1", "A", "Ann", "5");
    race.writePunches("1", {finishPunch("10:12:30")});
    EXPECT_EQ(race.score({"A"}).at(0).raceTime, 0);
    race.record.stage_start = "09:00";
    race.setCell(1, column::start(1), "x");
    EXPECT_EQ(race.score({"A"}).at(0).raceTime, 0);
    race.setCell(1, column::start(1), "5,5"); // a comma as the competitor file's save reads it
    EXPECT_EQ(race.score({"A"}).at(0).raceTime, 4020);
}

TEST(StageScoring, RaceTimeRunsAcrossMidnightLessTheBreaks) {
    ScoringRace race;
    ClassDefinition definition = makeClass("A", "A");
    definition.break1_from_code = 901;
    definition.break1_to_code = 902;
    race.record.classes[0] = definition;
    race.addCompetitor("1", "A", "Ann");
    race.addCompetitor("2", "A", "Bob");
    race.writePunches("1", {startPunch("23:58:00"), finishPunch("00:41:00")});
    race.writePunches("2", {startPunch("23:58:00"), controlPunch(901, "00:10:00"),
                            controlPunch(902, "00:15:30"), finishPunch("00:41:00")});
    const auto results = race.score({"A"});
    EXPECT_EQ(results[0].raceTime, 2580);
    EXPECT_EQ(results[1].break1, 330);
    EXPECT_EQ(results[1].raceTime, 2250);
}

TEST(StageScoring, OvertimeUnitsStartOneSecondOverTheLimitAndGrowEveryFiveMinutes) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "A", 90);
    const std::vector<std::pair<std::string, int>> cases = {
        {"11:30:00", 0}, {"11:30:01", 1}, {"11:34:59", 1}, {"11:35:00", 2}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string id = std::to_string(i + 1);
        race.addCompetitor(id, "A", "C" + id);
        race.writePunches(id, {startPunch("10:00:00"), finishPunch(cases[i].first)});
    }
    const auto results = race.score({"A"});
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(results[i].overtime, cases[i].second) << i;
    EXPECT_EQ(results[2].raceTime, 5699);
}

TEST(StageScoring, OrderedModeScoresOnlyControlsPunchedInCourseOrder) {
    const std::vector<std::string> punches = {
        controlPunch(answerCode(1, 'A'), "10:01:00"), controlPunch(answerCode(3, 'C'), "10:02:00"),
        controlPunch(answerCode(2, 'B'), "10:03:00"), controlPunch(answerCode(4, 'D'), "10:04:00")};
    const StageResult ordered = scoreOne("ABCD", punches, keepingOrder());
    EXPECT_EQ(ordered.points, 3);
    EXPECT_FALSE(ordered.notCounted[0]);
    EXPECT_TRUE(ordered.notCounted[1]);
    EXPECT_FALSE(ordered.notCounted[2]);
    EXPECT_FALSE(ordered.notCounted[3]);
    EXPECT_FALSE(ordered.wrong[1]);
    const StageResult free = scoreOne("ABCD", punches);
    EXPECT_EQ(free.points, 4);
    EXPECT_FALSE(free.notCounted[1]);
}

// Competitors of class "A" whose points are the number of right answers given.
void addWithPoints(ScoringRace& race, const std::vector<int>& points) {
    race.record.classes[0] = makeClass("A", "AAAA");
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string id = std::to_string(i + 1);
        race.addCompetitor(id, "A", "C" + id);
        std::vector<std::string> punches;
        for (int k = 1; k <= points[i]; ++k)
            punches.push_back(controlPunch(answerCode(k, 'A'), "10:00:00"));
        punches.push_back(finishPunch("10:00:00"));
        race.writePunches(id, punches);
    }
}

std::vector<int> places(const std::vector<StageResult>& results) {
    std::vector<int> list;
    for (const auto& result : results)
        list.push_back(result.place);
    return list;
}

TEST(StageScoring, EqualScoresShareThePlaceAndTheNextPlaceSkips) {
    ScoringRace race;
    addWithPoints(race, {2, 4, 3, 3});
    const auto results = race.score({"A"});
    EXPECT_EQ(places(results), (std::vector<int>{4, 1, 2, 2}));
    EXPECT_EQ(race.session.log.lines(), (std::vector<std::string>{"C2 1", "C3 2", "C4 3", "C1 4"}));
}

TEST(StageScoring, DisqualifiedCompetitorsFollowAllOthersButTieWithEqualScores) {
    ScoringRace race;
    addWithPoints(race, {4, 3, 2, 3});
    race.setCell(1, column::disqualified(1), "DISK"); // the best score
    race.setCell(4, column::disqualified(1), "DISK"); // equal to competitor 2
    const auto results = race.score({"A"});
    EXPECT_EQ(places(results), (std::vector<int>{3, 1, 2, 1}));
    EXPECT_EQ(race.session.log.lines(), (std::vector<std::string>{"C2 1", "C3 2", "C1 DISK/3", "C4 DISK/4"}));
}

TEST(StageScoring, TotalBreaksTiesAndThenTableOrder) {
    ScoringRace race;
    addWithPoints(race, {2, 2, 2});
    race.record.classes[0].cluster_answers[0][0] = "A";
    race.record.classes[0].cluster_penalty = 60;
    race.writeTimedControls("1", {"A;30"});
    race.writeTimedControls("2", {"A;20"});
    race.writeTimedControls("3", {"A;20"});
    EXPECT_EQ(places(race.score({"A"})), (std::vector<int>{3, 1, 1}));
}

TEST(StageScoring, OnlySelectedClassesWithAStartCellAreRankedAndWrittenBack) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "A");
    race.record.classes[1] = makeClass("B", "A");
    race.addCompetitor("1", "A", "Ann");
    race.addCompetitor("2", "A", "Bob", "");
    race.addCompetitor("3", "B", "Cid");
    for (const char* id : {"1", "2", "3"})
        race.writePunches(id, {controlPunch(answerCode(1, 'A'), "10:00:00"), finishPunch("10:30:00")});
    race.setCell(2, column::points(1), "7");
    const auto results = race.score({"A"});
    EXPECT_EQ(places(results), (std::vector<int>{1, 0, 0}));
    const CompetitorTable& table = race.session.table;
    EXPECT_EQ(table.cell(1, column::points(1)), "1");
    EXPECT_EQ(table.cell(1, column::tc(1)), "0");
    EXPECT_EQ(table.cell(1, column::penalty(1)), "0");
    EXPECT_EQ(table.cell(2, column::points(1)), "7"); // empty start cell: untouched
    EXPECT_EQ(table.cell(3, column::points(1)), "1"); // other class: written back, not ranked
    EXPECT_EQ(results[1].points, 1);
}

TEST(StageScoring, MissingPunchFileLeavesNoAnswersAndNoWrongFlags) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    race.addCompetitor("1", "A", "Ann");
    const StageResult result = race.score({"A"}).at(0);
    EXPECT_EQ(result.points, 0);
    EXPECT_FALSE(result.wrong[0]);
    EXPECT_EQ(result.raceTime, 0);
}

TEST(StageScoring, WhoDidNotStartOrFinishIsNotPlacedAndOnlyTheNonStarterKeepsEmptyCells) {
    struct Case {
        const char* name;
        std::vector<std::string> punches; // empty: no punch file
        bool timedControls;
        int limit;
        bool disk;
        StageStatus status;
        int place;
        const char* points; // written back
    };
    const std::string right = controlPunch(answerCode(1, 'A'), "10:05:00");
    // The manual entry writes its start and break lines even with empty times.
    const std::string typedStart = "MANUAL;0;1;STA;RDO;6;2026-05-01;;0;00";
    const std::string typedBreak = "MANUAL;0;901; CN;RDO;6;2026-05-01;;1;00";
    const std::vector<Case> cases = {
        {"Finisher", {right, finishPunch("10:30:00")}, false, 120, false, StageStatus::Ok, 1, "1"},
        {"Quitter", {startPunch("10:00:00"), right}, false, 120, false, StageStatus::DidNotFinish, 0, "1"},
        {"NoLimit", {right}, false, 0, false, StageStatus::Ok, 1, "1"},
        {"StartOnly", {startPunch("10:00:00")}, false, 120, false, StageStatus::DidNotFinish, 0, "0"},
        {"TypedNoTimes", {typedStart, typedBreak}, true, 120, false, StageStatus::Ok, 3, "0"},
        {"TimedOnly", {}, true, 120, false, StageStatus::Ok, 3, "0"},
        {"Absent", {}, false, 120, false, StageStatus::DidNotStart, 0, ""},
        // DISK wins over DNS; its 0 points tie with the 0-point finishers.
        {"DiskAbsent", {}, false, 120, true, StageStatus::Disqualified, 3, "0"},
    };
    for (const bool keepOrder : {false, true}) {
        ScoringRace race;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            const std::string id = std::to_string(i + 1), className = "C" + id;
            race.record.classes[i] = makeClass(className, "A", c.limit);
            race.addCompetitor(id, className, c.name);
            for (const int cell : {column::points(1), column::tc(1), column::penalty(1)})
                race.setCell(static_cast<int>(i) + 1, cell, "7"); // from an earlier run
            if (c.disk) race.setCell(static_cast<int>(i) + 1, column::disqualified(1), "DISK");
            if (!c.punches.empty()) race.writePunches(id, c.punches);
            if (c.timedControls) race.writeTimedControls(id, {"-;0"});
        }
        std::vector<std::string> classes;
        for (std::size_t i = 0; i < cases.size(); ++i)
            classes.push_back("C" + std::to_string(i + 1));
        ScoringOptions options;
        options.keepOrder = keepOrder;
        const auto results = race.score(classes, options);
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(results[i].status, c.status) << c.name;
            EXPECT_EQ(results[i].place, c.place) << c.name;
            EXPECT_EQ(race.session.table.cell(row, column::points(1)), c.points) << c.name;
            const bool absent = c.status == StageStatus::DidNotStart;
            EXPECT_EQ(race.session.table.cell(row, column::tc(1)), absent ? "" : "0") << c.name;
            EXPECT_EQ(race.session.table.cell(row, column::penalty(1)), absent ? "" : "0") << c.name;
        }
        // Not placed, so no log line.
        EXPECT_EQ(race.session.log.lines(),
                  (std::vector<std::string>{"Finisher 1", "NoLimit 2", "TypedNoTimes 3", "TimedOnly 4",
                                            "DiskAbsent DISK/5"}));
    }
}

TEST(StageScoring, AQuitterKeepsHisPointsInTempoStyleAndAFinishTypedLaterMakesHimAFinisher) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB", 60);
    race.addCompetitor("1", "A", "Ann");
    race.writePunches("1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:05:00"),
                            controlPunch(answerCode(2, 'C'), "10:06:00")});
    ScoringOptions tempoStyle;
    tempoStyle.tempoStyle = true;
    const StageResult quitter = race.score({"A"}, tempoStyle).at(0);
    EXPECT_EQ(quitter.status, StageStatus::DidNotFinish);
    EXPECT_EQ(quitter.place, 0);
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "0"); // TempO style: a wrong answer
    EXPECT_EQ(race.session.table.cell(1, column::tc(1)), "60");

    race.writePunches("1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:05:00"),
                            controlPunch(answerCode(2, 'C'), "10:06:00"), finishPunch("10:20:00")});
    const StageResult finisher = race.score({"A"}).at(0);
    EXPECT_EQ(finisher.status, StageStatus::Ok);
    EXPECT_EQ(finisher.place, 1);
    EXPECT_EQ(finisher.raceTime, 1200);
}

TEST(StageScoring, ANonNumberInAnIdOrRelayCellStopsTheRunNamingTheRowBeforeAnythingIsWritten) {
    ScoringRace race;
    addWithPoints(race, {1, 1});
    race.setCell(2, column::kRelay, "7a");
    try {
        race.score({"A"});
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "Results cannot be computed: on row 2 the column Relay holds no number "
                                   "(\"7a\"). Nothing was written.");
    }
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "");
    EXPECT_TRUE(race.session.log.lines().empty());
    race.setCell(2, column::kRelay, "");
    race.setCell(1, column::kId, "1.5");
    race.session.language = Language::Czech;
    EXPECT_THROW(race.score({"A"}), ConversionError);
}

TEST(TimeOfDay, DifferencesReadDigitsOnlyAndWrapAtMidnight) {
    EXPECT_EQ(timeDifference("23:58:00", "00:41:00"), 2580);
    EXPECT_EQ(timeDifference("10:00:00", "10:00:00"), 0);
    EXPECT_EQ(timeDifference("1x0:0:5", "10::65"), 60);
    EXPECT_EQ(minutesSeconds(5707), "95:07");
    EXPECT_EQ(minutesSeconds(7), "00:07");
}

} // namespace
} // namespace ravik::test
