// "X" as the correct answer voids a control or a timed-control task: under every
// scoring mode the field ranks as in the race without it. The IOF box counts a
// blank task like a wrong one.
#include "scoring/relay_results.h"
#include "scoring/result_page.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ravik::test {
namespace {

enum class Variant { Voided, Without };

// Class "M": controls 1-5 "ABCDA", control 4 voided or not there at all; station 1
// with tasks A, B, C whose task 2 is voided or not there; penalty 30.
ClassDefinition juryClass(Variant variant) {
    ClassDefinition definition = makeClass("M", "ABCDA", 60);
    definition.cluster_answers[0] = {"A", "B", "C"};
    definition.cluster_penalty = 30;
    if (variant == Variant::Voided) {
        definition.control_answer[3] = "X";
        definition.cluster_answers[0][1] = "X";
    } else {
        definition.control_flags[3] = definition.control_answer[3] = "";
        definition.answer_codes[3] = {};
        definition.cluster_answers[0][1] = "";
    }
    return definition;
}

struct Runner {
    std::string id, relay;
    std::string controls; // answer punched at control k, in `order`; '-' = not punched
    std::string order;    // punch order of the controls ("12435")
    std::string finish, timedControls;
};

// Ann is right everywhere, Bob wrong only at the voided control and task, Cid
// punches the voided control before control 3, Dan is wrong at control 2, Eve
// never reaches the voided control and leaves the voided task blank.
const std::vector<Runner> kField = {
    {"1", "1", "ABCDA", "12345", "10:50:00", "ABC;40"}, {"2", "1", "ABCBA", "12345", "10:40:00", "AAC;30"},
    {"3", "2", "ABCCA", "12435", "10:45:00", "ABC;50"}, {"4", "2", "AACDA", "12345", "10:30:00", "ABC;45"},
    {"5", "3", "ABC-A", "12345", "10:55:00", "A-C;35"},
};

std::vector<StageResult> scoreField(ScoringRace& race, Variant variant, ScoringOptions options) {
    race.record.classes[0] = juryClass(variant);
    race.saveRecord();
    for (const Runner& runner : kField) {
        race.addCompetitor(runner.id, "M", "R" + runner.id, "0", runner.relay);
        std::vector<std::string> punches;
        for (char k : runner.order) {
            const char answer = runner.controls[k - '1'];
            if (answer != '-') punches.push_back(controlPunch(answerCode(k - '0', answer), "10:10:00"));
        }
        punches.push_back(finishPunch(runner.finish));
        race.writePunches(runner.id, punches);
        race.writeTimedControls(runner.id, {runner.timedControls});
    }
    return race.score({"M"}, options);
}

using Standing = std::vector<std::pair<int, std::string>>; // place, name or team

Standing individualStanding(const std::vector<StageResult>& results) {
    Standing standing;
    for (const StageResult& result : results)
        if (result.place > 0) standing.emplace_back(result.place, result.name);
    std::sort(standing.begin(), standing.end());
    return standing;
}

Standing relayStanding(const std::vector<StageResult>& results, const RaceRecord& record, RelayForm form) {
    Standing standing;
    for (const RelayTeam& team : rankRelays(results, record, {"M"}, form, 60, 5).teams)
        standing.emplace_back(team.place, std::to_string(team.number));
    return standing;
}

TEST(VoidedAnswers, RankTheFieldAsTheRaceWithoutThemUnderEveryMode) {
    const struct {
        const char* mode;
        ScoringOptions options;
        RelayForm relay;
    } cases[] = {
        {"plain", {}, RelayForm::None},
        {"ordered", {.keepOrder = true}, RelayForm::None},
        {"TempO style", {.tempoStyle = true}, RelayForm::None},
        {"Farsta", {}, RelayForm::Farsta},
        {"Motala", {}, RelayForm::Motala},
        {"teams", {}, RelayForm::Teams},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ScoringRace voidedRace, withoutRace;
        const auto voided = scoreField(voidedRace, Variant::Voided, c.options);
        const auto without = scoreField(withoutRace, Variant::Without, c.options);
        if (c.relay == RelayForm::None) {
            EXPECT_EQ(individualStanding(voided), individualStanding(without));
            for (std::size_t i = 0; i < voided.size(); ++i) {
                EXPECT_EQ(voided[i].points, without[i].points) << voided[i].name;
                EXPECT_EQ(voided[i].total, without[i].total) << voided[i].name;
                EXPECT_FALSE(voided[i].wrong[3]);
                EXPECT_FALSE(voided[i].tcWrong[0][1]);
            }
        } else {
            EXPECT_EQ(relayStanding(voided, voidedRace.record, c.relay),
                      relayStanding(without, withoutRace.record, c.relay));
        }
    }
}

TEST(VoidedAnswers, KeepThePointsOfTheFlawlessInTempoStyleAndLeaveTheRelayCountWithoutThem) {
    ScoringRace race;
    const auto results = scoreField(race, Variant::Voided, {.tempoStyle = true});
    // Ann, Bob and Eve keep their four points: as right as each other where it
    // counts, they go by their station times (40, 30, 35) ahead of Dan.
    EXPECT_EQ(results[0].points, 4);
    EXPECT_EQ(results[0].total, 40);
    EXPECT_EQ(results[0].place, 3);
    EXPECT_EQ(results[1].place, 1);
    EXPECT_EQ(results[4].place, 2);
    EXPECT_EQ(results[3].points, 0);
    EXPECT_EQ(results[3].total, 45 + 60);
    // Farsta: n = 4 controls per leg, so a flawless leg adds only its station time.
    const auto teams = rankRelays(results, race.record, {"M"}, RelayForm::Farsta, 60, 0).teams;
    ASSERT_EQ(teams.size(), 3u);
    EXPECT_EQ(teams[0].number, 3);
    EXPECT_EQ(teams[0].teamTotal, 35);
    EXPECT_EQ(teams[1].number, 1);
    EXPECT_EQ(teams[1].teamTotal, 70 + 7 * 60); // 90 minutes in all against the class's 60: 7 units over
    EXPECT_EQ(teams[1].teamPoints, 8);
}

TEST(VoidedAnswers, ShowAGreyXOnTheStagePage) {
    ScoringRace race;
    const auto results = scoreField(race, Variant::Voided, {});
    PageOptions options;
    options.details = true;
    const std::string html =
        buildResultPage(results, race.record, {"M"}, options, Language::English, race.folder.path()).html;
    const std::string grey = "<font color=#999999>X</font>";
    EXPECT_NE(html.find("<TH><center>" + grey + "\r\n"), std::string::npos);       // header of control 4
    EXPECT_NE(html.find("<td><center>" + grey + "\r\n"), std::string::npos);       // a competitor's cell
    EXPECT_NE(html.find("<td ><b>45</b> (45-A" + grey + "C)"), std::string::npos); // Dan's station, task 2
}

TEST(UnansweredIsWrong, ChangesExactlyThePenaltyOfABlankTask) {
    for (const bool iof : {false, true}) {
        SCOPED_TRACE(iof);
        ScoringRace race;
        ClassDefinition definition = makeClass("T", "A", 60);
        definition.cluster_answers[0] = {"A", "B", "C", "D"};
        definition.cluster_penalty = 30;
        race.record.classes[0] = definition;
        race.addCompetitor("1", "T", "Blank and wrong"); // task 2 wrong, tasks 3 and 4 blank
        race.writeTimedControls("1", {"AC--;50"});
        race.addCompetitor("2", "T", "No file"); // every task blank
        race.writePunches("2", {finishPunch("10:30:00")});
        const auto results = race.score({"T"}, {.unansweredIsWrong = iof});
        const int blank = iof ? 30 : 60;
        EXPECT_EQ(results[0].tcPenalty[0], 30 + 2 * blank);
        EXPECT_EQ(results[0].total, 50 + 30 + 2 * blank);
        EXPECT_EQ(results[1].tcPenalty[0], 4 * blank);
        EXPECT_EQ(results[0].tcWrong[0], (std::array<bool, kClusterSlots>{false, true, true, true}));
    }
}

} // namespace
} // namespace ravik::test
