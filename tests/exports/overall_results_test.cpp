#include "core/competitor_file.h"
#include "core/errors.h"
#include "core/log.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "exports/overall_page.h"
#include "exports/overall_results.h"
#include "test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace ravik {
namespace {

struct StageCells {
    std::string start = "0", points{}, tc{}, penalty{}, disk{};
};

TableRow competitor(const std::string& id, const std::string& name, const std::string& competitorClass,
                    const std::map<int, StageCells>& stages, const std::string& country = "CZE") {
    TableRow row{};
    row[column::kId] = id;
    row[column::kClass] = competitorClass;
    row[column::kName] = name;
    row[column::kFlag] = country;
    for (const auto& [stage, cells] : stages) {
        row[column::start(stage)] = cells.start;
        row[column::points(stage)] = cells.points;
        row[column::tc(stage)] = cells.tc;
        row[column::penalty(stage)] = cells.penalty;
        row[column::disqualified(stage)] = cells.disk;
    }
    return row;
}

CompetitorTable tableOf(const std::vector<TableRow>& rows) {
    CompetitorTable table;
    table.setHeadings(Language::Czech);
    for (const TableRow& row : rows)
        table.appendRow(row);
    return table;
}

OverallOptions stagesAndClasses(std::initializer_list<int> stages, std::vector<std::string> classes) {
    OverallOptions options;
    for (int stage : stages)
        options.stages[stage - 1] = true;
    options.classes = std::move(classes);
    options.page.caption = "Cup";
    return options;
}

std::vector<std::string> linesOf(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = page.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(page.substr(from, end - from));
    EXPECT_EQ(from, page.size()) << "the last line ends with CR LF";
    return lines;
}

std::vector<std::string> pageOf(const CompetitorTable& table, const OverallOptions& options) {
    return linesOf(overallPage(
        table, options, [](const std::string&) { return false; }, Language::Czech));
}

// Names with their place cells, in page order.
std::vector<std::string> placesAndNames(const CompetitorTable& table, const OverallOptions& options) {
    const auto lines = pageOf(table, options);
    std::vector<std::string> out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].rfind("<td><center>", 0) == 0 && lines[i].ends_with("<td>"))
            out.push_back(lines[i].substr(12, lines[i].size() - 16) + " " + lines[i + 1]);
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(OverallResults, TotalsSubtractPenaltiesAndPenalisedStagesShowReducedPointsInBlue) {
    const auto table = tableOf({competitor(
        "1", "Novak Jan", "A",
        {{1, {.points = "20", .tc = "120", .penalty = "1"}}, {2, {.points = "18", .tc = "95"}}})});
    const auto options = stagesAndClasses({1, 2}, {"A"});
    const auto standings = rankOverall(table, options);
    ASSERT_EQ(standings.size(), 1u);
    EXPECT_EQ(standings[0].pointsTotal, 37);
    EXPECT_EQ(standings[0].tcTotal, 215);

    const auto lines = pageOf(table, options);
    EXPECT_TRUE(contains(lines, "<td bgcolor=#EEEEEE><b><center>37<td bgcolor=#EEEEEE><b><center>215"));
    EXPECT_TRUE(contains(lines, "<td><center><font color=#0000FF>19</font><td><center>120"));
    EXPECT_TRUE(contains(lines, "<td><center>18<td><center>95"));
}

TEST(OverallResults, AStageWithoutPointsAddsNothingAndItsPenaltyIsNotSubtracted) {
    const auto table = tableOf(
        {competitor("1", "Novak Jan", "A",
                    {{1, {.points = "20", .tc = "x1"}}, {2, {.points = "", .tc = "", .penalty = "3"}}})});
    auto options = stagesAndClasses({1, 2}, {"A"});
    const auto standings = rankOverall(table, options);
    ASSERT_EQ(standings.size(), 1u); // a start offset in every stage: complete
    EXPECT_EQ(standings[0].pointsTotal, 20);
    EXPECT_EQ(standings[0].tcTotal, 0);
    EXPECT_EQ(standings[0].status, StageStatus::DidNotStart); // no points in E2: not started
    EXPECT_EQ(standings[0].place, 0);
}

TEST(OverallResults, EqualTotalsShareThePlaceOfTheCompetitorJustBefore) {
    const auto table = tableOf({
        competitor("1", "Leader", "A", {{1, {.points = "40", .tc = "100"}}}),
        competitor("2", "Second", "A", {{1, {.points = "37", .tc = "215"}}}),
        competitor("3", "Third", "A", {{1, {.points = "37", .tc = "215"}}}),
        competitor("4", "Fourth", "A", {{1, {.points = "37", .tc = "216"}}}),
    });
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1}, {"A"})),
              (std::vector<std::string>{"1. Leader", "2. Second", "2. Third", "4. Fourth"}));

    const auto fiveTable = tableOf({
        competitor("1", "Leader", "A", {{1, {.points = "40"}}}),
        competitor("2", "B", "A", {{1, {.points = "30"}}}),
        competitor("3", "C", "A", {{1, {.points = "30"}}}),
        competitor("4", "D", "A", {{1, {.points = "30"}}}),
        competitor("5", "E", "A", {{1, {.points = "29"}}}),
    });
    EXPECT_EQ(placesAndNames(fiveTable, stagesAndClasses({1}, {"A"})),
              (std::vector<std::string>{"1. Leader", "2. B", "2. C", "2. D", "5. E"}));
}

TEST(OverallResults, EqualPointsAreOrderedByTcTotalThenTableOrder) {
    const auto table = tableOf({
        competitor("1", "Slow", "A", {{1, {.points = "30", .tc = "300"}}}),
        competitor("2", "Fast", "A", {{1, {.points = "30", .tc = "100"}}}),
        competitor("3", "More", "A", {{1, {.points = "31", .tc = "900"}}}),
    });
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1}, {"A"})),
              (std::vector<std::string>{"1. More", "2. Fast", "3. Slow"}));
}

TEST(OverallResults, OnlyCompleteResultsLeaveOutWhoMissedAChosenStage) {
    const auto table = tableOf({
        competitor("1", "Both", "A", {{1, {.points = "10"}}, {2, {.points = "10"}}}),
        competitor("2", "OnlyFirst", "A", {{1, {.points = "15"}}, {2, {.start = ""}}}),
    });
    auto options = stagesAndClasses({1, 2}, {"A"});
    EXPECT_EQ(placesAndNames(table, options), (std::vector<std::string>{"1. Both"}));
    options.completeOnly = false;
    EXPECT_EQ(placesAndNames(table, options), (std::vector<std::string>{"1. Both", "2. OnlyFirst"}));
    // A stage that is not chosen does not count for completeness.
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1}, {"A"})),
              (std::vector<std::string>{"1. OnlyFirst", "2. Both"}));
}

TEST(OverallResults, ADisqualificationInOneStagePutsTheCompetitorAfterAllOthers) {
    const auto table = tableOf({
        competitor("1", "Best", "A", {{1, {.points = "40"}}, {2, {.points = "40", .disk = "DISK"}}}),
        competitor("2", "Good", "A", {{1, {.points = "20"}}, {2, {.points = "20"}}}),
        competitor("3", "Weak", "A", {{1, {.points = "10"}}, {2, {.points = "10"}}}),
    });
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1, 2}, {"A"})),
              (std::vector<std::string>{"1. Good", "2. Weak", "DISK Best"}));
    // DISK only in a stage that is not chosen does not count.
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1}, {"A"})),
              (std::vector<std::string>{"1. Best", "2. Good", "3. Weak"}));
}

TEST(OverallResults, SeveralClassesFormOneRankingAndShowTheClassBesideTheName) {
    const auto table = tableOf({
        competitor("1", "Adam", "A", {{1, {.points = "10"}}}),
        competitor("2", "Bara", "B", {{1, {.points = "12"}}}),
        competitor("3", "Cyril", "C", {{1, {.points = "99"}}}),
    });
    const auto lines = pageOf(table, stagesAndClasses({1}, {"A", "B"}));
    EXPECT_TRUE(contains(lines, "<td><center>1.<td>"));
    EXPECT_TRUE(contains(
        lines,
        R"(<table class="normal" border=0 cellspacing=0 cellpadding=0 width=100%><tr><td>Bara<td align="right">(B)</table></td>)"));
    EXPECT_TRUE(contains(
        lines,
        R"(<table class="normal" border=0 cellspacing=0 cellpadding=0 width=100%><tr><td>Adam<td align="right">(A)</table></td>)"));
    EXPECT_TRUE(contains(lines, "<h3>Final results A+B</h3>"));
    for (const auto& line : lines)
        EXPECT_EQ(line.find("Cyril"), std::string::npos) << line;

    EXPECT_EQ(placesAndNames(table, stagesAndClasses({1}, {"A"})), (std::vector<std::string>{"1. Adam"}));
}

TEST(OverallResults, WithoutStagesEveryoneSharesFirstPlaceAndWithoutClassesNobodyIsListed) {
    const auto table = tableOf({
        competitor("1", "Adam", "A", {{1, {.points = "10"}}}),
        competitor("2", "Bara", "A", {{1, {.points = "12"}}}),
    });
    EXPECT_EQ(placesAndNames(table, stagesAndClasses({}, {"A"})),
              (std::vector<std::string>{"1. Adam", "1. Bara"}));
    EXPECT_TRUE(placesAndNames(table, stagesAndClasses({1}, {})).empty());
}

TEST(OverallResults, PenaltiesAreForgottenOnceTheTableIsReloadedFromTheCompetitorFile) {
    test::TempFolder folder;
    auto table = tableOf({competitor("1", "Novak Jan", "A",
                                     {{1, {.points = "20", .tc = "120", .penalty = "1"}},
                                      {2, {.points = "18", .tc = "95", .penalty = "2"}}})});
    const auto options = stagesAndClasses({1, 2}, {"A"});
    EXPECT_EQ(rankOverall(table, options).at(0).pointsTotal, 35);

    LogLines log;
    saveCompetitorTable(folder.file("race.zavodnici"), table, log);
    CompetitorTable reloaded;
    loadCompetitorTable(folder.file("race.zavodnici"), reloaded);
    EXPECT_EQ(reloaded.cell(1, column::penalty(1)), "");
    EXPECT_EQ(rankOverall(reloaded, options).at(0).pointsTotal, 38);
}

TEST(OverallResults, TheFileNameCarriesTheStagesAndTheClasses) {
    EXPECT_EQ(overallFileName(stagesAndClasses({1, 2}, {"H21", "D21"})),
              "overall_results_E1+E2_class_H21+D21.htm");
    EXPECT_EQ(overallFileName(stagesAndClasses({2, 3}, {"A"})), "overall_results_+E2+E3_class_A.htm");
    EXPECT_EQ(overallFileName(stagesAndClasses({}, {})), "overall_results__class_.htm");
    // Class names are code page 1250; the file name is native UTF-8 and stays in its folder.
    EXPECT_EQ(overallFileName(stagesAndClasses({1}, {"\x8E"
                                                     "eny",
                                                     "H/D"})),
              "overall_results_E1_class_Ženy+H_D.htm");
}

TEST(OverallResults, ThePageIsWrittenLineByLine) {
    auto table = tableOf({
        competitor("1", "Novak Jan", "A",
                   {{1, {.points = "20", .tc = "120", .penalty = "1"}}, {2, {.points = "18", .tc = "95"}}},
                   "CZE"),
        competitor("2", "Lind Eva", "A",
                   {{1, {.points = "10", .tc = "60"}}, {2, {.points = "12", .tc = "70"}}}, "SWE"),
    });
    auto options = stagesAndClasses({1, 2}, {"A"});
    options.page.refreshSeconds = "120";
    options.page.rolling = true;
    options.page.rollPeriod = "40";
    options.page.holdLeaders = true;
    options.page.leaderPlaces = "6";
    const auto lines = linesOf(overallPage(
        table, options, [](const std::string& c) { return c == "SWE"; }, Language::Czech));
    const std::vector<std::string> expected = {
        R"( <!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">)",
        "<html>",
        "<head>",
        R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1250">)",
        R"(<meta http-equiv="refresh" content="120">)",
        R"(<meta http-equiv="Cache-Control" content="no-cache">)",
        "<TITLE>Ravik</TITLE>",
        "</head>",
        R"(<style type="text/css">)",
        R"( .normal { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: "Verdana", "Arial"; font-size: 8pt; text-align: justify; color: #000000;})",
        R"( .normal2 { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: "Verdana", "Arial"; font-size: 10pt; text-align: justify; color: #000000;})",
        " .highlight { position: fixed; top: 0px; left: 0px;",
        "</style>",
        R"(<BODY text="#000000" link="#000000" vlink="#000000" alink="#000000" leftmargin=0 topmargin=0 bgcolor="#ffffff" onload = "onloadFunctions();">)",
        "<h2>Cup</h2>",
        "<h3>Final results A</h3>",
        "<table width=3000 border=0><tr><td>",
        "<td height=184>&nbsp;<tr>",
        R"(<table border=1 cellspacing=0 cellpadding=3 class="normal">)",
        "<tr bgcolor=#DDDDDD><th rowspan=2>##<th rowspan=2>Name<th rowspan=2>Nat.<th colspan=2><center>Total",
        "<th colspan=2><center>E1",
        "<th colspan=2><center>E2",
        "<tr bgcolor=#DDDDDD><th><center>Pts<th><center>TC",
        "<th><center>Pts<th><center>TC",
        "<th><center>Pts<th><center>TC",
        "<tr>",
        "<td><center>1.<td>",
        "Novak Jan",
        "<td>CZE",
        "<td bgcolor=#EEEEEE><b><center>37<td bgcolor=#EEEEEE><b><center>215",
        "<td><center><font color=#0000FF>19</font><td><center>120",
        "<td><center>18<td><center>95",
        "<tr>",
        "<td><center>2.<td>",
        "Lind Eva",
        "<td bgcolor=#EEEEEE><img src=flags/SWE.jpg height=16>",
        "<td bgcolor=#EEEEEE><b><center>22<td bgcolor=#EEEEEE><b><center>130",
        "<td><center>10<td><center>60",
        "<td><center>12<td><center>70",
        "<tr>",
        "</table></table>",
        "</body>",
        "<script>",
        "function onloadFunctions()",
        "{",
        "countUp();",
        "setInterval(countUp, 40);",
        "}",
        "var count = -150;",
        "function countUp()",
        "{",
        "window.scrollTo(0,count);",
        "count++;",
        "if(count == document.body.scrollHeight)",
        "{",
        "clearInterval(this);",
        "location.reload(true);",
        "}}",
        "</script>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(OverallResults, ValuesAreEscapedAndTheBodyDoesNotRollUnlessAsked) {
    const auto table = tableOf(
        {competitor("1", "Dvo\xF8\xE1k & <b>Syn</b>", "A", {{1, {.points = "3", .tc = "<i>"}}}, "<x>")});
    auto options = stagesAndClasses({1}, {"A"});
    options.page.caption = "Cup \"<script>\"";
    const auto lines = pageOf(table, options);
    EXPECT_TRUE(contains(lines, "Dvo\xF8\xE1k &amp; &lt;b&gt;Syn&lt;/b&gt;"));
    EXPECT_TRUE(contains(lines, "<td>&lt;x&gt;"));
    EXPECT_TRUE(contains(lines, "<td><center>3<td><center>&lt;i&gt;"));
    EXPECT_TRUE(contains(lines, "<h2>Cup &quot;&lt;script&gt;&quot;</h2>"));
    EXPECT_TRUE(contains(
        lines,
        R"(<BODY text="#000000" link="#000000" vlink="#000000" alink="#000000" leftmargin=0 topmargin=0 bgcolor="#ffffff">)"));
    EXPECT_FALSE(contains(lines, "<td height=184>&nbsp;<tr>"));
}

TEST(OverallResults, HeldPlacesThatAreNotANumberStopTheRunWithAClearMessage) {
    const auto table = tableOf({competitor("1", "Adam", "A", {{1, {.points = "10"}}})});
    auto options = stagesAndClasses({1}, {"A"});
    options.page.holdLeaders = true;
    options.page.leaderPlaces = "six";
    try {
        overallPage(table, options, {}, Language::English);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("six"), std::string::npos) << error.what();
    }
    options.page.leaderPlaces = "2";
    EXPECT_TRUE(contains(pageOf(table, options), "<td height=88>&nbsp;<tr>"));
}

TEST(OverallResults, TheFileGoesIntoTheRaceFolderWithFlagsLookedUpBesideIt) {
    test::TempFolder folder;
    RaceContext race;
    race.setRacePath(folder.file("cup.ravik"));
    std::filesystem::create_directories(folder.file("flags"));
    test::writeFile(folder.file("flags/SWE.jpg"), "jpg");
    const auto table = tableOf({competitor("1", "Lind Eva", "A", {{1, {.points = "10"}}}, "SWE"),
                                competitor("2", "Novak Jan", "A", {{1, {.points = "9"}}}, "CZE")});
    const std::string path = writeOverallResults(race, table, stagesAndClasses({1}, {"A"}), Language::Czech);
    EXPECT_EQ(path, folder.file("overall_results_E1_class_A.htm"));
    const std::string page = test::readFile(path);
    EXPECT_NE(page.find("\r\n<td bgcolor=#EEEEEE><img src=flags/SWE.jpg height=16>\r\n"), std::string::npos);
    EXPECT_NE(page.find("\r\n<td>CZE\r\n"), std::string::npos);
    EXPECT_TRUE(page.ends_with("</script>\r\n"));

    RaceContext missing;
    missing.setRacePath(folder.file("no/such/folder/cup.ravik"));
    EXPECT_THROW(writeOverallResults(missing, table, stagesAndClasses({1}, {"A"}), Language::Czech), IoError);
}

TEST(OverallResults, WhoDidNotStartOrFinishAStageIsListedAfterThePlacedWithThatStatus) {
    test::TempFolder folder;
    RaceContext race;
    race.setRacePath(folder.file("cup.ravik"));
    RaceRecord stage;
    stage.classes[0].class_name = "A";
    stage.classes[0].time_limit = 60;
    createRaceFile(race.racePath(), stage);
    appendStage(race.racePath(), stage);
    const std::string finished =
        "MANUAL;1;1;STA;RDO;6;d;10:00:00;0;00\r\nMANUAL;1;1;FIN;RDO;6;d;10:40:00;1;00\r\n";
    const std::string quit = "MANUAL;1;1;STA;RDO;6;d;10:00:00;0;00\r\n";
    for (int n = 1; n <= 2; ++n)
        std::filesystem::create_directories(race.stageFolder(n));
    const auto table = tableOf({
        competitor("1", "Quit", "A", {{1, {.points = "10", .tc = "20"}}, {2, {.points = "3", .tc = "5"}}}),
        competitor("2", "Home", "A", {{1, {.points = "12", .tc = "20"}}, {2, {}}}),
        competitor("3", "Done", "A", {{1, {.points = "5", .tc = "20"}}, {2, {.points = "5", .tc = "9"}}}),
        competitor("4", "Away", "A", {{1, {.points = "1", .tc = "20"}}, {2, {.start = ""}}}),
    });
    for (const auto& [file, bytes] : std::vector<std::pair<std::string, std::string>>{{"E1/1.si", finished},
                                                                                      {"E2/1.si", quit},
                                                                                      {"E1/2.si", finished},
                                                                                      {"E1/3.si", finished},
                                                                                      {"E2/3.si", finished},
                                                                                      {"E1/4.si", finished}})
        test::writeFile(folder.file(file), bytes);
    auto options = stagesAndClasses({1, 2}, {"A"});
    auto page = [&] {
        return linesOf(test::readFile(writeOverallResults(race, table, options, Language::Czech)));
    };

    // Done is first with the fewest points; Quit (13) and Home (12) follow without a place.
    auto lines = page();
    std::vector<std::string> order;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].rfind("<td><center>", 0) == 0 && lines[i].ends_with("<td>"))
            order.push_back(lines[i] + lines[i + 1]);
    EXPECT_EQ(order, (std::vector<std::string>{"<td><center>1.<td>Done", "<td><center>DNF<td>Quit",
                                               "<td><center>DNS<td>Home"}));
    EXPECT_TRUE(contains(lines, "<td><center>3<td><center>DNF"));
    EXPECT_TRUE(contains(lines, "<td><center><td><center>DNS"));
    EXPECT_TRUE(contains(lines, "<td><center>5<td><center>9"));

    // Away has no start offset in E2: not complete, and placed with what he has when listed.
    options.completeOnly = false;
    lines = page();
    EXPECT_TRUE(contains(lines, "<td><center>2.<td>"));
    EXPECT_TRUE(contains(lines, "Away"));
}

TEST(OverallResults, WholeCellNumbersTakeASignAndDigitsOnly) {
    EXPECT_EQ(wholeCellNumber("37"), 37);
    EXPECT_EQ(wholeCellNumber("-2"), -2);
    EXPECT_EQ(wholeCellNumber(""), std::nullopt);
    EXPECT_EQ(wholeCellNumber("12.5"), std::nullopt);
    EXPECT_EQ(wholeCellNumber("9999999999"), std::nullopt);
    EXPECT_EQ(wholeCellNumber("-"), std::nullopt);
    EXPECT_EQ(wholeCellNumber("+-5"), std::nullopt);
    EXPECT_EQ(wholeCellNumber("+5"), 5);
}

} // namespace
} // namespace ravik
