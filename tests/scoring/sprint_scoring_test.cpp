// PreO Sprint: over-time points, ranking time, places, DNF and the cells written back.
#include "core/competitor_table.h"
#include "scoring/sprint_scoring.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

TEST(SprintScoring, OneOverTimePointPerStartedInterval) {
    struct Case {
        std::int32_t courseTime, limitMinutes, secondsPerPoint, points;
    };
    for (const Case& c : std::vector<Case>{{600, 10, 60, 0},
                                           {601, 10, 60, 1},
                                           {660, 10, 60, 1},
                                           {661, 10, 60, 2},
                                           {720, 10, 30, 4},
                                           {0, 0, 60, 0},
                                           {1, 0, 60, 1}})
        EXPECT_EQ(sprintOvertime(c.courseTime, c.limitMinutes, c.secondsPerPoint), c.points)
            << c.courseTime << " s, limit " << c.limitMinutes << " min, " << c.secondsPerPoint << " s";
}

TEST(SprintScoring, RankingTimeIsRoundedToTheNearestSecondHalvesUp) {
    struct Case {
        std::int32_t courseTime;
        double factor;
        std::int32_t rankingTime;
    };
    for (const Case& c : std::vector<Case>{
             {100, 1.5, 150}, {101, 1.5, 152}, {2005, 1.1, 2206}, {333, 0.9, 300}, {1, 0.5, 1}, {3, 0.5, 2}})
        EXPECT_EQ(sprintRankingTime(c.courseTime, c.factor), c.rankingTime)
            << c.courseTime << " x " << c.factor;
}

// Class "S": three controls all "A", limit 10 minutes, factor 1.5, 60 s per point.
TEST(SprintScoring, NetScoreThenRankingTimeThenTableOrderAndNoFinishIsDnf) {
    ScoringRace race;
    race.record.classes[0] = makeClass("S", "AAA", 10);
    race.record.classes[0].rules = {ClassFormat::PreOSprint, 1.5, 60};
    race.saveRecord();
    struct Entry {
        std::string id;
        int right;          // controls answered "A" (the others "B")
        std::string finish; // start 10:00:00; empty = no finish punch
    };
    const std::vector<Entry> entries{{"1", 2, "10:09:00"},  // 540 s -> 810, net 2
                                     {"2", 3, "10:11:00"},  // 660 s, 1 point over -> net 2, 990
                                     {"3", 2, "10:09:00"},  // as 1: shares his place, listed after him
                                     {"4", 3, ""},          // no finish: DNF
                                     {"5", 2, "10:09:01"}}; // 541 s -> 811.5 -> 812
    for (const Entry& entry : entries) {
        race.addCompetitor(entry.id, "S", "Runner " + entry.id);
        std::vector<std::string> lines{startPunch("10:00:00")};
        for (int control = 1; control <= 3; ++control)
            lines.push_back(
                controlPunch(answerCode(control, control <= entry.right ? 'A' : 'B'), "10:05:00"));
        if (!entry.finish.empty()) lines.push_back(finishPunch(entry.finish));
        race.writePunches(entry.id, lines);
    }
    const std::vector<StageResult> results = race.score({"S"});

    struct Expected {
        std::int32_t place, net, total, overtime;
        StageStatus status;
    };
    const std::vector<Expected> expected{{1, 2, 810, 0, StageStatus::Ok},
                                         {4, 2, 990, 1, StageStatus::Ok},
                                         {1, 2, 810, 0, StageStatus::Ok},
                                         {0, 3, 0, 0, StageStatus::DidNotFinish},
                                         {3, 2, 812, 0, StageStatus::Ok}};
    ASSERT_EQ(results.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StageResult& r = results[i];
        EXPECT_EQ(r.place, expected[i].place) << i;
        EXPECT_EQ(r.status, expected[i].status) << i;
        if (r.status != StageStatus::Ok) continue;
        EXPECT_EQ(r.netScore(), expected[i].net) << i;
        EXPECT_EQ(r.total, expected[i].total) << i;
        EXPECT_EQ(race.session.table.cell(r.row, column::tc(1)), std::to_string(expected[i].total)) << i;
        EXPECT_EQ(race.session.table.cell(r.row, column::penalty(1)), std::to_string(expected[i].overtime))
            << i;
    }
}

} // namespace
} // namespace ravik::test
