// The answer statistics: counts of a hand-built field, the page's bars, and the
// page as headless Chromium draws it.
#include "core/cp1250.h"
#include "core/file_io.h"
#include "program_run.h"
#include "scoring/statistics_page.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik::test {
namespace {

// Class "S": control 1 "A-C" answer B, control 2 voided; station 1 tasks A and X
// (voided), penalty 20. Class "O" is not selected.
void buildField(ScoringRace& race) {
    ClassDefinition s = makeClass("S", "BX", 60);
    s.control_flags[0] = "A-C";
    s.cluster_answers[0] = {"A", "X"};
    s.cluster_penalty = 20;
    race.record.classes[0] = s;
    race.record.classes[1] = makeClass("O", "A");
    race.saveRecord();
    const struct {
        const char* id;
        std::string letters; // punched at control 1
        const char* timed;   // timed-control line; empty = no file
    } field[] = {
        {"1", "A", "AB;40"}, {"2", "B", "BA;50"}, {"3", "BB", "A-;70"}, {"4", "AB", ""}, {"5", "", ""}};
    for (const auto& f : field) {
        race.addCompetitor(f.id, "S", std::string("R") + f.id);
        std::vector<std::string> punches;
        for (char letter : f.letters)
            punches.push_back(controlPunch(answerCode(1, letter), "10:05:00"));
        punches.push_back(finishPunch("10:40:00"));
        race.writePunches(f.id, punches);
        if (*f.timed) race.writeTimedControls(f.id, {f.timed});
    }
    race.addCompetitor("6", "S", "Not started"); // no files: DNS
    const int disqualified = race.addCompetitor("7", "S", "Disqualified, never read out");
    race.setCell(disqualified, column::disqualified(1), "DISK");
    race.addCompetitor("8", "O", "Other class");
    race.writePunches("8", {controlPunch(answerCode(1, 'A'), "10:05:00")});
}

TEST(AnswerStatistics, CountsTheAnswersOfTheCompetitorsWhoStarted) {
    ScoringRace race;
    buildField(race);
    const auto classes =
        answerStatistics(race.session.table, race.record, 1, race.stageFolder(), {"S"}, false, nullptr);
    ASSERT_EQ(classes.size(), 1u);
    const ClassStatistics& s = classes[0];
    EXPECT_EQ(s.started, 6); // 1 to 5 and the disqualified one
    ASSERT_EQ(s.controls.size(), 2u);
    const ControlStatistics& first = s.controls[0];
    EXPECT_EQ(first.flags, "A-C");
    EXPECT_EQ(first.correct, "B");
    EXPECT_EQ(first.counts.letters, (std::array<int, 7>{1, 2, 0, 0, 0, 0, 0})); // "BB" counts as B
    EXPECT_EQ(first.counts.several, 1);
    EXPECT_EQ(first.counts.none, 2);
    EXPECT_EQ(first.counts.correct, 1); // "BB" is no correct answer as punched
    EXPECT_TRUE(s.controls[1].voided);
    ASSERT_EQ(s.stations.size(), 1u);
    const StationStatistics& station = s.stations[0];
    EXPECT_EQ(station.timedCompetitors, 3);
    EXPECT_EQ(station.medianHalfSeconds, 100); // 40, 50, 70
    ASSERT_EQ(station.tasks.size(), 2u);
    EXPECT_EQ(station.tasks[0].counts.letters[0], 2);
    EXPECT_EQ(station.tasks[0].counts.letters[1], 1);
    EXPECT_EQ(station.tasks[0].counts.none, 3);
    EXPECT_TRUE(station.tasks[1].voided);
    EXPECT_EQ(station.tasks[1].counts.none, 4);
    // R2's wrong first task costs 20; the voided one nothing.
    EXPECT_EQ(station.medianPenaltyHalfSeconds, 0);
}

TEST(AnswerStatistics, PageDrawsBarsWithTheCorrectAnswerInGreenAndAVoidedControlAsAGreyX) {
    ScoringRace race(Language::Czech);
    buildField(race);
    const std::string path =
        writeStatisticsPage(race.session, {.stage = 1, .selectedClasses = {"S"}, .raceName = "Jaro"});
    EXPECT_EQ(path, race.stageFolder() + "statistika_E1_kategorie_S.htm");
    const std::string html = readWholeFile(path);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find(utf8ToCp1250("<h3>Statistika odpovědí kategorie S</h3>")), std::string::npos);
    EXPECT_NE(html.find("Kategorie S - odstartovalo 6"), std::string::npos);
    const std::string bar = R"(<td nowrap><span style="display:inline-block;height:8px;width:)";
    EXPECT_NE(html.find("<tr><td>1<td>A-C<td><center><b>B</b>" + bar +
                        "10px;background-color:#8899BB;\"></span> 1" + bar +
                        "20px;background-color:#22AA22;\"></span> 2<td nowrap>0"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><td>2<td>A-F<td><center><font color=#999999>X</font>"), std::string::npos);
    EXPECT_NE(html.find(utf8ToCp1250("Časovka TC1 - medián času 50 s, medián trestu 0 s")),
              std::string::npos);
    EXPECT_NE(html.find("17 %"), std::string::npos);
}

TEST(AnswerStatistics, ChromiumDrawsThePage) {
    if (!std::filesystem::exists("/usr/bin/chromium")) GTEST_SKIP() << "no /usr/bin/chromium";
    ScoringRace race;
    buildField(race);
    const std::string page =
        writeStatisticsPage(race.session, {.stage = 1, .selectedClasses = {"S"}, .raceName = "Spring Cup"});
    const std::string shot = race.folder.file("statistics.png");
    const ProgramRun chromium = runProgram(
        {"timeout", "120", "/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu",
         "--disable-quic", "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--user-data-dir=" + race.folder.file("profile"), "--window-size=900,500",
         "--screenshot=" + shot, "file://" + page});
    ASSERT_EQ(chromium.exitCode, 0);
    EXPECT_GT(fileSize(shot), 5000);
}

} // namespace
} // namespace ravik::test
