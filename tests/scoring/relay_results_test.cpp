// Relay teams: legs, Farsta, Motala and Družstva totals, ranking and the page.
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "scoring/relay_page.h"
#include "scoring/relay_results.h"
#include "scoring/results_run.h"
#include "scoring/results_window_rules.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

// A relay member of class `className` answering the first `right` controls (course
// all "A") correctly and the next `wrong` ones with "B".
void addMember(ScoringRace& race, const std::string& id, const std::string& className,
               const std::string& relay, int right, int wrong = 0) {
    race.addCompetitor(id, className, "M" + id, "0", relay);
    std::vector<std::string> punches;
    for (int k = 1; k <= right + wrong; ++k)
        punches.push_back(controlPunch(answerCode(k, k <= right ? 'A' : 'B'), "10:00:00"));
    punches.push_back(finishPunch("10:00:00"));
    race.writePunches(id, punches);
}

RelayStanding standingOf(ScoringRace& race, const std::vector<std::string>& classes, RelayForm form,
                         const std::string& legControls = "") {
    const auto results = race.score(classes);
    static std::vector<StageResult> kept; // the standing points into the results
    kept = results;
    return rankRelays(kept, race.record, classes, form, 60, legControlsNumber(legControls));
}

TEST(RelayResults, MembersWithOneRelayNumberFormATeamInTableOrder) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AAAAAAAAAA");
    addMember(race, "1", "R", "7", 9);
    addMember(race, "2", "R", "", 10);
    addMember(race, "3", "R", "7", 10);
    addMember(race, "4", "R", "7", 8);
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Farsta);
    ASSERT_EQ(standing.teams.size(), 1u);
    const RelayTeam& team = standing.teams[0];
    EXPECT_EQ(team.number, 7);
    ASSERT_EQ(team.legs.size(), 3u);
    EXPECT_EQ(team.legs[0]->name, "M1");
    EXPECT_EQ(team.legs[1]->name, "M3");
    EXPECT_EQ(team.legs[2]->name, "M4");
    EXPECT_EQ(standing.legCount, 3);
    // Farsta: 60 × ((10 − 9) + (10 − 10) + (10 − 8)).
    EXPECT_EQ(team.teamPoints, 27);
    EXPECT_EQ(team.teamTotal, 180);
    EXPECT_EQ(team.place, 1);
}

TEST(RelayResults, ASixthMemberTakesTheFifthLegsPlace) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    for (int i = 1; i <= 6; ++i)
        addMember(race, std::to_string(i), "R", "2", 1);
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Teams, "2");
    ASSERT_EQ(standing.teams.at(0).legs.size(), 5u);
    EXPECT_EQ(standing.teams[0].legs[3]->name, "M4");
    EXPECT_EQ(standing.teams[0].legs[4]->name, "M6");
    EXPECT_EQ(standing.legCount, 5);
}

TEST(RelayResults, DruzstvaAddsThePenaltyForControlsNotAnsweredOfEachMembersShareAndTheTimedControls) {
    ScoringRace race;
    ClassDefinition definition = makeClass("R", "AAAA");
    definition.cluster_answers[0][0] = "A";
    definition.cluster_penalty = 30;
    race.record.classes[0] = definition;
    addMember(race, "1", "R", "3", 4);
    addMember(race, "2", "R", "3", 3);
    addMember(race, "3", "R", "3", 4);
    race.writeTimedControls("1", {"A;20"});
    race.writeTimedControls("2", {"A;25"});
    race.writeTimedControls("3", {"B;10"}); // wrong: 10 + 30
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Teams, "4");
    ASSERT_EQ(standing.teams.size(), 1u);
    EXPECT_EQ(standing.teams[0].teamTc, 85);
    EXPECT_EQ(standing.teams[0].teamPoints, 11);
    EXPECT_EQ(standing.teams[0].teamTotal, 60 + 85);
    EXPECT_EQ(standing.teams[0].mergedAnswer[0], "AAA");
}

TEST(RelayResults, MotalaMergesTheLegsAndCountsSlotsNobodyGotWrong) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AAAA");
    // Leg 1 answers control 1 right and 2 wrong; leg 2 answers control 3 right.
    race.addCompetitor("1", "R", "M1", "0", "5");
    race.writePunches(
        "1", {controlPunch(answerCode(1, 'A'), "10:00:00"), controlPunch(answerCode(2, 'B'), "10:01:00")});
    race.addCompetitor("2", "R", "M2", "0", "5");
    race.writePunches(
        "2", {controlPunch(answerCode(3, 'A'), "10:00:00"), controlPunch(answerCode(1, 'A'), "10:02:00")});
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Motala);
    const RelayTeam& team = standing.teams.at(0);
    EXPECT_EQ(team.mergedAnswer[0], "A"); // equal answers are not repeated
    EXPECT_EQ(team.mergedAnswer[1], "B");
    EXPECT_TRUE(team.mergedWrong[1]);
    EXPECT_EQ(team.teamPoints, 3); // controls 1, 3 and the unanswered 4
    EXPECT_EQ(team.teamTotal, 60);
}

TEST(RelayResults, EqualTotalsArePlacedByTeamNumberAndNumbersAbove300AreServed) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AAAAAAAAAA");
    addMember(race, "1", "R", "450", 9);
    addMember(race, "2", "R", "12", 9);
    addMember(race, "3", "R", "8", 8);
    addMember(race, "4", "S", "9", 1); // no leg of a selected class
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Farsta);
    ASSERT_EQ(standing.teams.size(), 3u);
    EXPECT_EQ(standing.teams[0].number, 12);
    EXPECT_EQ(standing.teams[1].number, 450);
    EXPECT_EQ(standing.teams[2].number, 8);
    EXPECT_EQ(standing.teams[1].place, 2);
}

TEST(RelayResults, APerfectTeamWithTotalZeroIsFirstAndATeamWithoutAnyResultIsNotListed) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    addMember(race, "1", "R", "1", 0, 1);         // control 1 wrong: total 60
    addMember(race, "2", "R", "2", 2);            // perfect: total 0
    race.addCompetitor("3", "R", "M3", "0", "3"); // nothing punched yet: total 0 too
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Motala);
    ASSERT_EQ(standing.teams.size(), 2u);
    EXPECT_EQ(standing.teams[0].number, 2);
    EXPECT_EQ(standing.teams[0].teamTotal, 0);
    EXPECT_EQ(standing.teams[1].number, 1);
}

TEST(RelayResults, TeamOvertimeAddsThePenaltyPerUnit) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "A", 10);
    race.addCompetitor("1", "R", "M1", "0", "1");
    race.writePunches(
        "1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:01:00"), finishPunch("10:06:00")});
    race.addCompetitor("2", "R", "M2", "0", "1");
    race.writePunches(
        "2", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:01:00"), finishPunch("10:05:01")});
    const RelayTeam& team = standingOf(race, {"R"}, RelayForm::Farsta).teams.at(0);
    EXPECT_EQ(team.teamTime, 661);
    EXPECT_EQ(team.teamOvertime, 1);
    EXPECT_EQ(team.teamTotal, 60);
}

TEST(RelayPage, TeamBlocksListTheLegsAndTheTeamRow) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    addMember(race, "1", "R", "4", 1, 1);
    addMember(race, "2", "R", "4", 2);
    race.setCell(2, column::kFlag, "CZE");
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"R"};
    run.page.raceName = "Spring Cup";
    run.page.caption = "Relay <Day>";
    run.page.scoreColumns = true;
    run.page.details = true;
    run.page.generated = "10:00:00, 01.05.2026";
    run.relayRace = true;
    run.relayForm = RelayForm::Motala;
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(outcome.pagePath, race.stageFolder() + "relay_results_E1_class_R.htm");
    const std::string html = readFile(outcome.pagePath);
    const std::string expectedBody =
        "<h2>Relay &lt;Day&gt;</h2>\r\n<h3>2026-05-01,Brno</h3>\r\n<h3>Relay results - class R</h3>\r\n"
        "<table width=3000 border=0><tr><td>\r\n"
        "<table border=1 cellspacing=0 cellpadding=3 class=\"normal\">\r\n"
        "<tr><th rowspan=2>##<th rowspan=2>Name<th rowspan=2>Nat.\r\n"
        "<th rowspan=2>Pts<th rowspan=2>TC<th rowspan=2>Total<br>time<th rowspan=2>Pen.\r\n"
        "<TH><center>1\r\n<TH><center>2\r\n<tr>\r\n<TH><center>A\r\n<TH><center>A\r\n<tr>\r\n"
        "<tr><td rowspan=3 valign=\"center\"><center>1.<br>60 sec\r\n"
        "<td><table cellspacing=0 cellpadding=0 border=0 class=\"normal\" width=100%><tr><td>M1<td "
        "align=\"right\">(R)</table><td> [4]\r\n"
        "<TD bgcolor=#EEEEEE><b>1<TD bgcolor=#EEEEEE>0<TD bgcolor=#EEEEEE>00:00\r\n"
        "<TD bgcolor=#EEEEEE rowspan=3>0\r\n"
        "<td><center>A\r\n<td><center><font color=#FF0000>B\r\n"
        "<tr>\r\n"
        "<td><table cellspacing=0 cellpadding=0 border=0 class=\"normal\" width=100%><tr><td>M2<td "
        "align=\"right\">(R)</table><td>CZE [4]\r\n"
        "<TD bgcolor=#EEEEEE><b>2<TD bgcolor=#EEEEEE>0<TD bgcolor=#EEEEEE>00:00\r\n"
        "<td><center>A\r\n<td><center>A\r\n"
        "<tr bgcolor=#DDDDDD><td>&nbsp;<td>&nbsp\r\n<td><i>1\r\n<td><i>0\r\n<td><i>00:00\r\n"
        "<td><center><i>A\r\n<td><center><i><font color=#FF0000>BA\r\n"
        "</table></table><p><i>Generated: 10:00:00, 01.05.2026\r\n</body>\r\n";
    EXPECT_NE(html.find(expectedBody), std::string::npos) << html;
}

TEST(RelayPage, FarstaUsesTheRaceNameAndItsLeadersBlockTheLargerStyle) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    addMember(race, "1", "R", "4", 1);
    addMember(race, "2", "R", "5", 2);
    PageOptions options;
    options.raceName = "Spring Cup";
    options.caption = "Caption";
    options.holdLeaders = true;
    options.leaderPlaces = "1";
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Farsta);
    const std::string html =
        buildRelayPage(standing, race.record, {"R"}, RelayForm::Farsta, options, Language::English);
    EXPECT_NE(html.find("<h2>Spring Cup</h2>"), std::string::npos);
    EXPECT_EQ(html.find("Caption"), std::string::npos);
    EXPECT_NE(html.find("<table width=3000 border=0><tr><td>\r\n<td height=137>&nbsp;<tr>\r\n"),
              std::string::npos);
    const std::string leaders = html.substr(html.find("class=\"highlight\""));
    EXPECT_NE(leaders.find("<table border=1 cellspacing=0 cellpadding=3 class=\"normal2\">"),
              std::string::npos);
    EXPECT_NE(leaders.find("class=\"normal2\" width=100%><tr><td>M2<td align=\"right\">(R)</table> <td> [5]"),
              std::string::npos);
    EXPECT_EQ(leaders.find("M1"), std::string::npos);
}

TEST(RelayPage, ATeamWithALegThatDidNotStartOrFinishIsNotPlacedAndLegsWithoutATimeShowTheirStatus) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    addMember(race, "1", "R", "1", 2);
    race.addCompetitor("2", "R", "M2", "0", "1"); // no files: did not start
    addMember(race, "3", "R", "2", 1);
    race.addCompetitor("4", "R", "M4", "0", "2");
    race.writePunches("4", {controlPunch(answerCode(1, 'A'), "10:00:00")}); // no finish
    addMember(race, "5", "R", "3", 2);
    addMember(race, "6", "R", "3", 2);
    const RelayStanding standing = standingOf(race, {"R"}, RelayForm::Farsta);
    std::vector<std::pair<int, int>> numbersAndPlaces;
    for (const RelayTeam& team : standing.teams)
        numbersAndPlaces.emplace_back(team.number, team.place);
    EXPECT_EQ(numbersAndPlaces, (std::vector<std::pair<int, int>>{{3, 1}, {1, 0}, {2, 0}}));

    PageOptions options;
    options.scoreColumns = true;
    options.holdLeaders = true;
    options.leaderPlaces = "6";
    const std::string html =
        buildRelayPage(standing, race.record, {"R"}, RelayForm::Farsta, options, Language::English);
    const std::string leaders = html.substr(html.find("class=\"highlight\""));
    const std::string table = html.substr(0, html.find("class=\"highlight\""));
    EXPECT_NE(table.find("<center>DNF<br>120 sec\r\n"), std::string::npos);
    EXPECT_NE(table.find("<TD bgcolor=#EEEEEE><b>1<TD bgcolor=#EEEEEE>0<TD bgcolor=#EEEEEE>DNF\r\n"),
              std::string::npos);
    EXPECT_NE(table.find("<center>DNS<br>120 sec\r\n"), std::string::npos);
    EXPECT_NE(table.find("<TD bgcolor=#EEEEEE><b>0<TD bgcolor=#EEEEEE>0<TD bgcolor=#EEEEEE>DNS\r\n"),
              std::string::npos);
    EXPECT_EQ(leaders.find("M2"), std::string::npos);
    EXPECT_EQ(leaders.find("M4"), std::string::npos);
    EXPECT_NE(leaders.find("M5"), std::string::npos);
}

TEST(RelayPage, NoRelayFormSelectedWritesNoPage) {
    ScoringRace race;
    race.record.classes[0] = makeClass("R", "AA");
    addMember(race, "1", "R", "4", 1);
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"R"};
    run.relayRace = true;
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(outcome.pagePath, "");
    EXPECT_FALSE(fileExists(race.stageFolder() + "relay_results_E1_class_R.htm"));
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "1"); // still scored and written back
}

} // namespace
} // namespace ravik::test

namespace ravik::test {
namespace {

TEST(ResultsWindowRules, TheRelayBoxSelectsFarstaUnlessARelayFormIsChosenAndUnchecksBothWhenOff) {
    EXPECT_EQ(relayButtonsAfterClick(true, {}),
              (RelayButtons{.farsta = true, .motala = false, .teams = false}));
    EXPECT_EQ(relayButtonsAfterClick(true, {.farsta = false, .motala = true, .teams = false}),
              (RelayButtons{.farsta = false, .motala = true, .teams = false}));
    EXPECT_EQ(relayButtonsAfterClick(true, {.farsta = false, .motala = false, .teams = true}),
              (RelayButtons{.farsta = true, .motala = false, .teams = false}));
    EXPECT_EQ(relayButtonsAfterClick(false, {.farsta = false, .motala = true, .teams = false}),
              RelayButtons{});
    EXPECT_EQ(relayFormOf({.farsta = false, .motala = false, .teams = true}), RelayForm::Teams);
    EXPECT_EQ(relayFormOf({}), RelayForm::None);
}

TEST(ResultsWindowRules, TheClassListHoldsTheNonEmptySlotsInSlotOrder) {
    RaceRecord record;
    record.classes[0].class_name = "H21";
    record.classes[3].class_name = "D21";
    EXPECT_EQ(classListItems(record), (std::vector<std::string>{"H21", "D21"}));
}

} // namespace
} // namespace ravik::test
