// The stage result page and the ORIS text file.
#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "scoring/result_page.h"
#include "scoring/results_run.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

PageOptions basicOptions() {
    PageOptions options;
    options.raceName = "Spring Cup";
    options.generated = "10:00:00, 01.05.2026";
    return options;
}

ResultPage pageOf(ScoringRace& race, const std::vector<std::string>& classes, const PageOptions& options,
                  ScoringOptions scoring = {}) {
    const auto results = race.score(classes, scoring);
    return buildResultPage(results, race.record, classes, options, race.session.language, race.folder.path());
}

// Competitors of class "A" (controls A, B) who give `right` right answers.
void addRunners(ScoringRace& race, const std::string& className, const std::vector<int>& right,
                int firstId = 1) {
    for (std::size_t i = 0; i < right.size(); ++i) {
        const std::string id = std::to_string(firstId + static_cast<int>(i));
        race.addCompetitor(id, className, "Runner " + id);
        std::vector<std::string> punches;
        if (right[i] >= 1) punches.push_back(controlPunch(answerCode(1, 'A'), "10:01:00"));
        if (right[i] >= 2) punches.push_back(controlPunch(answerCode(2, 'B'), "10:02:00"));
        punches.push_back(finishPunch("10:03:00"));
        race.writePunches(id, punches);
    }
}

std::string between(const std::string& text, const std::string& from, const std::string& to) {
    const auto begin = text.find(from);
    if (begin == std::string::npos) return {};
    const auto end = text.find(to, begin + from.size());
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

const char* const kHead =
    " <!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r\n"
    "<meta http-equiv=\"refresh\" content=\"300\">\r\n"
    "<meta http-equiv=\"Cache-Control\" content=\"no-cache\">\r\n<TITLE>Ravik</TITLE>\r\n</head>\r\n"
    "<style type=\"text/css\">\r\n"
    " .normal { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: \"Verdana\", \"Arial\"; "
    "font-size: "
    "8pt; text-align: justify; color: #000000;}\r\n"
    " .normal2 { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: \"Verdana\", \"Arial\"; "
    "font-size: 10pt; text-align: justify; color: #000000;}\r\n"
    " .highlight { position: fixed; top: 0px; left: 0px;\r\n</style>\r\n"
    "<BODY text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\" leftmargin=0 topmargin=0 "
    "bgcolor=\"#ffffff\">\r\n";

const char* const kScript =
    "</body>\r\n<script>\r\nfunction onloadFunctions()\r\n{\r\ncountUp();\r\n"
    "setInterval(countUp, 30);\r\n}\r\nvar count = -150;\r\nfunction countUp()\r\n{\r\n"
    "window.scrollTo(0,count);\r\ncount++;\r\nif(count == document.body.scrollHeight)\r\n{\r\n"
    "clearInterval(this);\r\nlocation.reload(true);\r\n}}\r\n</script>\r\n";

TEST(ResultPage, APlainPageIsWrittenLineByLineAsTheProgramWritesIt) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {1, 2});
    race.setCell(1, column::kFlag, "CZE");
    const ResultPage page = pageOf(race, {"A"}, basicOptions());
    const std::string expected =
        std::string(kHead) +
        "<h2>Spring Cup</h2>\r\n<h3>2026-05-01,Brno</h3>\r\n<h3>Class results A</h3>\r\n"
        "<table width=3000 border=0><tr>\r\n"
        "<td><table border=1 cellspacing=0 cellpadding=3 class=\"normal\">\r\n"
        "<tr><th rowspan=2>##<th rowspan=2>Name<th rowspan=2>Nat.\r\n<tr>\r\n"
        "<tr><td bgcolor=#EEEEEE>1.<TD bgcolor=#EEEEEE>\r\nRunner 2\r\n<td>\r\n"
        "<tr><td bgcolor=#EEEEEE>2.<TD bgcolor=#EEEEEE>\r\nRunner 1\r\n<td>CZE\r\n"
        "</table></table><p><i>Generated: 10:00:00, 01.05.2026\r\n" +
        kScript;
    EXPECT_EQ(page.html, expected);
}

TEST(ResultPage, CzechPagesAreInCodePage1250WithTheirOwnClassesLine) {
    ScoringRace race(Language::Czech);
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {1});
    const ResultPage page = pageOf(race, {"A"}, basicOptions());
    EXPECT_NE(page.html.find(utf8ToCp1250("<h3>Výsledky kategorie A</h3>\r\n")), std::string::npos);
}

TEST(ResultPage, ScoreColumnsShowNetScoreTotalRaceTimeAndNegatedOvertime) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB", 90);
    race.addCompetitor("1", "A", "Ann");
    race.writePunches("1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:01:00"),
                            controlPunch(answerCode(2, 'B'), "10:02:00"), finishPunch("11:35:07")});
    PageOptions options = basicOptions();
    options.scoreColumns = true;
    const ResultPage page = pageOf(race, {"A"}, options);
    EXPECT_NE(
        page.html.find("<th rowspan=2>Pts<th rowspan=2>TC<th rowspan=2>Total<br>time<th rowspan=2>Pen.\r\n"),
        std::string::npos);
    // 5707 s is 95:07, two over-time units (307 s over 90 minutes).
    EXPECT_NE(
        page.html.find("<td>\r\n<TD bgcolor=#EEEEEE><b><font color=#0000FF>0\r\n<TD bgcolor=#EEEEEE>0\r\n"
                       "<TD bgcolor=#EEEEEE>95:07\r\n<TD bgcolor=#EEEEEE>-2\r\n"),
        std::string::npos);
}

TEST(ResultPage, TwoClassesWithDifferentCoursesShowStarsAndTheClassBesideTheName) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    race.record.classes[1] = makeClass("B", "CDE");
    addRunners(race, "A", {2});
    addRunners(race, "B", {0}, 2);
    PageOptions options = basicOptions();
    options.details = true;
    const ResultPage page = pageOf(race, {"A", "B"}, options);
    EXPECT_NE(page.html.find("<h3>Class results A+B</h3>"), std::string::npos);
    EXPECT_NE(page.html.find("<TH><center>1\r\n<TH><center>2\r\n<TH><center>3\r\n<tr>\r\n<TH><center>*\r\n"
                             "<TH><center>*\r\n<TH><center>*\r\n<tr>\r\n"),
              std::string::npos);
    EXPECT_NE(page.html.find("<table class=\"normal\" border=0 cellspacing=0 cellpadding=0 width=100%><tr "
                             "bgcolor=#EEEEEE><td>Runner 1<td align=\"right\">(A)</table>\r\n"),
              std::string::npos);
    // Control 3 is no control of class A: "-" for its runner; runner 2 of class B has no punch file.
    EXPECT_NE(page.html.find("<td><center>A\r\n<td><center>B\r\n<td><center>-\r\n"), std::string::npos);
    options.sameCourses = true;
    const ResultPage same = pageOf(race, {"A", "B"}, options);
    EXPECT_NE(same.html.find("<tr>\r\n<TH><center>C\r\n<TH><center>D\r\n<TH><center>E\r\n<tr>\r\n"),
              std::string::npos);
}

TEST(ResultPage, DetailCellsColourWrongAndUncountedAnswersAndShowSplits) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "ABCD");
    race.addCompetitor("1", "A", "Ann");
    race.writePunches("1", {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:01:00"),
                            controlPunch(answerCode(3, 'C'), "10:02:00"),
                            controlPunch(answerCode(2, 'B'), "10:03:05"),
                            controlPunch(answerCode(4, 'E'), "10:04:00")});
    PageOptions options = basicOptions();
    options.details = true;
    options.splits = true;
    ScoringOptions scoring;
    scoring.keepOrder = true;
    const ResultPage page = pageOf(race, {"A"}, options, scoring);
    EXPECT_NE(
        page.html.find("<td><center>A<br><font size=1>01:00\r\n"
                       "<td><center><font color=#00AA00>B<br><font size=1>01:05\r\n"
                       "<td><center>C<br><font size=1>01:00\r\n"
                       "<td><center><font color=#00AA00><font color=#FF0000>E<br><font size=1>00:55\r\n"),
        std::string::npos);
}

TEST(ResultPage, QualificationLineStandsAfterTheTiedSixteenthPlaces) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AAAAAAAAAAAAAAAAAAAA");
    // Points 20 down to 6 give places 1 to 15; two with 5 share 16; one with 4 is 18th.
    for (int i = 0; i < 18; ++i) {
        const std::string id = std::to_string(i + 1);
        race.addCompetitor(id, "A", "R" + id);
        const int points = i < 15 ? 20 - i : (i < 17 ? 5 : 4);
        std::vector<std::string> punches;
        for (int k = 1; k <= points; ++k)
            punches.push_back(controlPunch(answerCode(k, 'A'), "10:00:00"));
        punches.push_back(finishPunch("10:30:00"));
        race.writePunches(id, punches);
    }
    PageOptions options = basicOptions();
    options.qualificationLine = true;
    options.qualificationAfter = "16";
    const ResultPage page = pageOf(race, {"A"}, options);
    EXPECT_NE(page.html.find("<tr><td bgcolor=#EEEEEE>16.<TD bgcolor=#EEEEEE>\r\nR17\r\n<td>\r\n"
                             "<tr><td bgcolor=#FF0000 colspan=3 height=5>\r\n"
                             "<tr><td bgcolor=#EEEEEE>18.<TD bgcolor=#EEEEEE>\r\nR18\r\n"),
              std::string::npos);
    EXPECT_EQ(occurrences(page.html, "16.<TD"), 2u);
    EXPECT_EQ(occurrences(page.html, "bgcolor=#FF0000 colspan"), 1u);
}

TEST(ResultPage, DisqualifiedRowsComeLastWithDiskButTheTextFileKeepsTheirPlace) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {2, 1, 0});
    race.setCell(1, column::disqualified(1), "DISK");
    PageOptions options = basicOptions();
    options.oris = true;
    options.scoreColumns = true;
    const ResultPage page = pageOf(race, {"A"}, options);
    const auto runner2 = page.html.find("Runner 2");
    const auto runner3 = page.html.find("Runner 3");
    const auto runner1 = page.html.find("<tr><td bgcolor=#EEEEEE>DISK<TD bgcolor=#EEEEEE>\r\nRunner 1\r\n");
    ASSERT_NE(runner1, std::string::npos);
    EXPECT_LT(runner2, runner3);
    EXPECT_LT(runner3, runner1);
    EXPECT_EQ(page.oris, "A;1.;Runner 2;REG2;1" + utf8ToCp1250(" bodů / ") + "0s;\r\n" +
                             "A;2.;Runner 3;REG3;0" + utf8ToCp1250(" bodů / ") + "0s;\r\n" +
                             "A;3.;Runner 1;REG1;2" + utf8ToCp1250(" bodů / ") + "0s;\r\n");
}

TEST(ResultPage, QuittersAndThenNonStartersFollowThePlacedWithTheirStatusAndOnlyTheirScoresThatExist) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    const std::string first = controlPunch(answerCode(1, 'A'), "10:01:00");
    const std::string second = controlPunch(answerCode(2, 'B'), "10:02:00");
    race.addCompetitor("1", "A", "Absent");
    race.addCompetitor("2", "A", "Quit Early");
    race.writePunches("2", {first});
    race.addCompetitor("3", "A", "Winner");
    race.writePunches("3", {first, second, finishPunch("10:03:00")});
    race.addCompetitor("4", "A", "Cheat");
    race.writePunches("4", {first, second, finishPunch("10:04:00")});
    race.setCell(4, column::disqualified(1), "DISK");
    race.addCompetitor("5", "A", "Quit Late");
    race.writePunches("5", {first, second});
    PageOptions options = basicOptions();
    options.scoreColumns = true;
    options.oris = true;
    options.holdLeaders = true;
    options.leaderPlaces = "6";
    const ResultPage page = pageOf(race, {"A"}, options);
    auto row = [](const std::string& number, const std::string& name, const std::string& points,
                  const std::string& tc, const std::string& time, const std::string& penalty) {
        return "<tr><td bgcolor=#EEEEEE>" + number + "<TD bgcolor=#EEEEEE>\r\n" + name +
               "\r\n<td>\r\n<TD bgcolor=#EEEEEE><b>" + points + "\r\n<TD bgcolor=#EEEEEE>" + tc +
               "\r\n<TD bgcolor=#EEEEEE>" + time + "\r\n<TD bgcolor=#EEEEEE>" + penalty + "\r\n";
    };
    const std::string rows =
        row("1.", "Winner", "2", "0", "03:00", "0") + row("DISK", "Cheat", "2", "0", "04:00", "0") +
        row("DNF", "Quit Late", "2", "0", "DNF", "0") + row("DNF", "Quit Early", "1", "0", "DNF", "0") +
        row("DNS", "Absent", "", "", "DNS", "") + "</table></table><p><i>Generated:";
    EXPECT_NE(page.html.find(rows), std::string::npos) << page.html;
    // No place, so neither a line in the text file nor a row in the leaders block.
    EXPECT_EQ(page.oris, "A;1.;Winner;REG3;2" + utf8ToCp1250(" bodů / ") + "0s;\r\n" + "A;1.;Cheat;REG4;2" +
                             utf8ToCp1250(" bodů / ") + "0s;\r\n");
    const std::string leaders = between(page.html, "class=\"highlight\"", "</table></table>");
    EXPECT_NE(leaders.find("Winner"), std::string::npos);
    EXPECT_EQ(leaders.find("Quit"), std::string::npos);
    EXPECT_EQ(leaders.find("Absent"), std::string::npos);
}

TEST(ResultPage, SwitchedOffStationIsGreyInTheTableButNotInTheLeadersBlock) {
    ScoringRace race;
    ClassDefinition definition = makeClass("A", "A");
    definition.cluster_answers[0][0] = "A";
    definition.cluster_answers[0][1] = "B";
    definition.cluster_answers[0][9] = "X";
    definition.cluster_answers[1][0] = "C";
    definition.cluster_penalty = 30;
    race.record.classes[0] = definition;
    race.addCompetitor("1", "A", "Ann");
    race.writeTimedControls("1", {"AB;40", "D;15"});
    PageOptions options = basicOptions();
    options.details = true;
    options.holdLeaders = true;
    options.leaderPlaces = "6";
    const ResultPage page = pageOf(race, {"A"}, options);
    EXPECT_NE(page.html.find("<td bgcolor=#888888><b>40</b> (40-AB)\r\n"
                             "<td ><b>45</b> (15-<font color=#FF0000>D<font color=#000000>)\r\n"),
              std::string::npos);
    // Leaders block: running count, no shading, tasks 1 to 10 (the tenth cell holds the "X").
    const std::string leaders = between(page.html, "class=\"highlight\"", "</table></table>");
    EXPECT_NE(leaders.find("<tr><td bgcolor=#EEEEEE>1.<TD bgcolor=#EEEEEE>\r\nAnn\r\n"), std::string::npos);
    EXPECT_NE(leaders.find("<td><b>40</b> (40-AB*)\r\n<td><b>45</b> (15-<font color=#FF0000>D<font "
                           "color=#000000>)\r\n"),
              std::string::npos);
    EXPECT_NE(page.html.find("<table width=3000 border=0><tr>\r\n<td height=184>&nbsp;<tr>\r\n"),
              std::string::npos);
    EXPECT_NE(leaders.find("<h2>Spring Cup</h2>\r\n<h3>2026-05-01,Brno</h3>\r\n<h3>Class results A</h3>\r\n"
                           "<table border=1 cellspacing=0 cellpadding=3 class=\"normal2\">\r\n"),
              std::string::npos);
}

TEST(ResultPage, LeadersBlockTakesTheFirstPlacesClassByClassWithARunningCount) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    race.record.classes[1] = makeClass("B", "AB");
    addRunners(race, "B", {2}, 1);
    addRunners(race, "A", {2, 1, 0}, 2);
    PageOptions options = basicOptions();
    options.holdLeaders = true;
    options.leaderPlaces = "2";
    const ResultPage page = pageOf(race, {"A", "B"}, options);
    const std::string leaders = between(page.html, "class=\"highlight\"", "</table></table>");
    const auto first =
        leaders.find("1.<TD bgcolor=#EEEEEE>\r\n<table class=\"normal\" border=0 cellspacing=0 "
                     "cellpadding=0 width=100%><tr bgcolor=#EEEEEE><td>Runner 2");
    const auto second =
        leaders.find("2.<TD bgcolor=#EEEEEE>\r\n<table class=\"normal\" border=0 cellspacing=0 "
                     "cellpadding=0 width=100%><tr bgcolor=#EEEEEE><td>Runner 1");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_EQ(leaders.find("Runner 4"), std::string::npos);
    EXPECT_EQ(leaders.find("Runner 3"), std::string::npos); // place 3
}

TEST(ResultPage, RollingDisplayStartsOnlyWithItsCheckBoxButTheScriptIsAlwaysThere) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {1});
    PageOptions options = basicOptions();
    EXPECT_EQ(pageOf(race, {"A"}, options).html.find("onload ="), std::string::npos);
    options.rolling = true;
    options.rollPeriod = "12";
    options.refreshSeconds = "60";
    const std::string html = pageOf(race, {"A"}, options).html;
    EXPECT_NE(html.find("bgcolor=\"#ffffff\" onload = \"onloadFunctions();\">\r\n"), std::string::npos);
    EXPECT_NE(html.find("setInterval(countUp, 12);\r\n"), std::string::npos);
    EXPECT_NE(html.find("<meta http-equiv=\"refresh\" content=\"60\">\r\n"), std::string::npos);
}

TEST(ResultPage, ValuesFromEntryListsCannotInjectMarkup) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A<i>", "AB");
    race.record.classes[1] = makeClass("B", "AB");
    race.record.race_name = "Cup & <Co>";
    race.addCompetitor("1", "A<i>", "<script>alert(1)</script>");
    race.setCell(1, column::kFlag, "<b>");
    PageOptions options = basicOptions();
    options.raceName = race.record.race_name;
    const std::string html = pageOf(race, {"A<i>", "B"}, options).html;
    EXPECT_EQ(html.find("<script>alert"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;<td align=\"right\">(A&lt;i&gt;)</table>"),
              std::string::npos);
    EXPECT_NE(html.find("<h2>Cup &amp; &lt;Co&gt;</h2>"), std::string::npos);
    EXPECT_NE(html.find("<h3>Class results A&lt;i&gt;+B</h3>"), std::string::npos);
    EXPECT_NE(html.find("<td>&lt;b&gt;\r\n"), std::string::npos);
}

TEST(ResultPage, AFlagPictureInTheRaceFoldersFlagsIsShownByItsPathFromTheStageFolder) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {2, 1});
    race.setCell(1, column::kFlag, "CZE");
    race.setCell(2, column::kFlag, "SVK");
    ensureFolder(race.folder.file("flags"));
    writeFile(race.folder.file("flags/CZE.jpg"), "jpg");
    const std::string html = pageOf(race, {"A"}, basicOptions()).html;
    EXPECT_NE(html.find("<td bgcolor=#EEEEEE><img src=\"../flags/CZE.jpg\" height=16>\r\n"),
              std::string::npos);
    EXPECT_EQ(html.find(race.folder.path()), std::string::npos); // nothing of the office PC's folders
    EXPECT_NE(html.find("<td>SVK\r\n"), std::string::npos);
}

TEST(ResultPage, WithNoClassSelectedNothingIsScoredOrWrittenAndTheLogSaysSo) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {1});
    ResultsRunOptions run;
    run.page = basicOptions();
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_TRUE(outcome.noClassSelected);
    EXPECT_EQ(outcome.pagePath, "");
    EXPECT_FALSE(fileExists(race.stageFolder() + "results_E1_class_.htm"));
    EXPECT_EQ(race.session.log.lastLine(), "No class is selected, so no results page was written.");
}

TEST(ResultsRun, WritesBackSavesTheCompetitorFileAndWritesPageAndTextFileNamedInTheLanguage) {
    ScoringRace race(Language::Czech);
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {2, 1});
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"A"};
    run.page = basicOptions();
    run.page.oris = true;
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(outcome.pagePath, race.stageFolder() + "vysledky_E1_kategorie_A.htm");
    EXPECT_TRUE(fileExists(race.stageFolder() + "vysledky_E1_kategorie_A.csv"));
    const auto& lines = race.session.log.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "HTM vysledky - " + race.stageFolder());
    EXPECT_EQ(lines.back(), "CSV results - " + race.stageFolder());
    // The competitor file now holds the points.
    race.session.table.setCell(1, column::points(1), "");
    race.session.loadCompetitors();
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "2");
    EXPECT_EQ(race.session.table.cell(2, column::points(1)), "1");
}

TEST(ResultsRun, PrintoutModeHandsTheResultsOverAndWritesNoPage) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {2});
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"A"};
    run.printoutMode = true;
    int printed = 0;
    run.printout = [&](const std::vector<StageResult>& results, const RaceRecord&) {
        printed = results.at(0).points;
    };
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(printed, 2);
    EXPECT_EQ(outcome.pagePath, "");
    EXPECT_FALSE(fileExists(race.stageFolder() + "results_E1_class_A.htm"));
    EXPECT_TRUE(fileExists(race.session.race.competitorFilePath()));
}

TEST(ResultsRun, ClassNamesCannotLeadThePageOutOfTheStageFolder) {
    ScoringRace race;
    race.record.classes[0] = makeClass("../x", "AB");
    addRunners(race, "../x", {1});
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"../x"};
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(outcome.pagePath, race.stageFolder() + "results_E1_class_.._x.htm");
    EXPECT_TRUE(fileExists(outcome.pagePath));
}

} // namespace
} // namespace ravik::test

namespace ravik::test {
namespace {

TEST(ResultPage, AQualificationEditWithoutANumberStopsThePageWithAClearMessage) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunners(race, "A", {1});
    PageOptions options = basicOptions();
    options.qualificationLine = true;
    options.qualificationAfter = "1x";
    try {
        pageOf(race, {"A"}, options);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "The field \"Qualification line\" must hold a number, it holds \"1x\".");
    }
}

} // namespace
} // namespace ravik::test
