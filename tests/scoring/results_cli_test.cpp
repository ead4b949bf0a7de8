// End to end through ravik-cli: a small race is created, defined, imported,
// drawn, read out from a generated SI log and scored; the competitor file and the
// page carry the points and places.
#include "core/competitor_file.h"
#include "core/file_io.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace ravik::test {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun cli(const std::vector<std::string>& arguments) {
    const ProgramRun run = runCli(arguments, Streams::Together);
    return {run.exitCode, run.output};
}

// A line of the fixed-column import: registration, class, card, name, country, start number.
std::string entryLine(const std::string& registration, const std::string& className, const std::string& card,
                      const std::string& name, const std::string& country, const std::string& number) {
    auto field = [](const std::string& text, std::size_t width) {
        return (text + std::string(width, ' ')).substr(0, width);
    };
    return field(registration, 7) + " " + field(className, 10) + field(card, 11) + " " + field(name, 27) +
           " " + field(country, 3) + " " + field(number, 7) + "\r\n";
}

// The log lines of one card: control punches at the codes, then the finish.
std::string cardLines(const std::string& card, const std::vector<std::pair<int, std::string>>& punches,
                      const std::string& finish) {
    std::string lines;
    int number = 1;
    for (const auto& [code, time] : punches)
        lines += "1;" + card + ";" + std::to_string(code) + "; CN;1;6;2026-05-01;" + time + ";" +
                 std::to_string(number++) + ";3;\r\n";
    lines += "1;" + card + ";2;FIN;1;6;2026-05-01;" + finish + ";" + std::to_string(number) + ";3;\r\n";
    return lines;
}

TEST(ResultsCommand, ASmallRaceBuiltThroughTheCommandLineIsScoredIntoTheCompetitorFileAndThePage) {
    TempFolder folder;
    const CliRun created = cli({"new", folder.file("cup.ravik")});
    ASSERT_EQ(created.status, 0) << created.out;
    const std::string race = folder.file("cup.ravik");
    ASSERT_TRUE(fileExists(race)) << created.out;

    writeFile(
        folder.file("cup.json"),
        R"({"stages": [{"stage": 1, "race_name": "E2E Cup", "stage_date": "2026-05-01", "stage_place": "Brno",
                  "stage_start": "10:00", "classes": [{"slot": 1, "class_name": "A",
                  "control_flags": ["A-C", "A-C", "A-C"], "control_answer": ["A", "B", "C"],
                  "answer_codes": [[31, 32, 33, 0, 0, 0, 34], [41, 42, 43, 0, 0, 0, 44], [51, 52, 53, 0, 0, 0, 54]],
                  "time_limit": 60}]}]})");
    const CliRun defined = cli({"define", race, folder.file("cup.json")});
    ASSERT_EQ(defined.status, 0) << defined.out;

    writeFile(folder.file("entries.txt"), entryLine("ABC0001", "A", "1001", "Alpha Ann", "CZE", "1") +
                                              entryLine("ABC0002", "A", "1002", "Bravo Bob", "SVK", "2") +
                                              entryLine("ABC0003", "A", "1003", "Charlie Cid", "CZE", "3"));
    const CliRun imported = cli({"import-text", race, "--stage", "1", folder.file("entries.txt")});
    ASSERT_EQ(imported.status, 0) << imported.out;
    const CliRun drawn =
        cli(followedBy({"draw", race}, words("--stage 1 --in-order --first 0 --interval 2")));
    ASSERT_EQ(drawn.status, 0) << drawn.out;

    // Ann: all right in 30 minutes; Bob and Cid: two right each, Cid 64 minutes (one over-time unit).
    writeFile(folder.file("si.csv"),
              "EventId;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt\r\n" +
                  cardLines("1001", {{31, "10:05:00"}, {42, "10:10:00"}, {53, "10:20:00"}}, "10:30:00") +
                  cardLines("1002", {{31, "10:07:00"}, {42, "10:12:00"}, {51, "10:22:00"}}, "10:32:00") +
                  cardLines("1003", {{31, "10:09:00"}, {41, "10:14:00"}, {53, "10:24:00"}}, "11:08:00"));
    const CliRun readOut =
        cli({"readout", race, "--stage", "1", "--log", folder.file("si.csv"), "--lang", "GBR"});
    ASSERT_EQ(readOut.status, 0) << readOut.out;
    ASSERT_TRUE(fileExists(folder.file("E1/1.si"))) << readOut.out;

    const CliRun results =
        cli(followedBy({"results", race}, words("--stage 1 --classes A --columns --lang GBR --oris")));
    ASSERT_EQ(results.status, 0) << results.out;
    EXPECT_EQ(results.out, folder.file("E1/results_E1_class_A.htm") + "\n");

    // Points by ID (the table keeps the empty row it started with).
    std::map<int, CompetitorRecord> byId;
    for (const auto& record : readCompetitorRecords(folder.file("cup.zavodnici")))
        byId[record.competitor_id] = record;
    ASSERT_EQ(byId.count(1) + byId.count(2) + byId.count(3), 3u);
    EXPECT_EQ(byId[1].stage_points[0], 3);
    EXPECT_EQ(byId[2].stage_points[0], 2);
    EXPECT_EQ(byId[3].stage_points[0], 2);
    EXPECT_EQ(byId[1].stage_tc_time[0], 0);

    const std::string page = readFile(folder.file("E1/results_E1_class_A.htm"));
    const auto ann =
        page.find("<tr><td bgcolor=#EEEEEE>1.<TD bgcolor=#EEEEEE>\r\nAlpha Ann\r\n<td>CZE\r\n"
                  "<TD bgcolor=#EEEEEE><b>3\r\n<TD bgcolor=#EEEEEE>0\r\n<TD bgcolor=#EEEEEE>30:00\r\n");
    const auto bob =
        page.find("<tr><td bgcolor=#EEEEEE>2.<TD bgcolor=#EEEEEE>\r\nBravo Bob\r\n<td>SVK\r\n"
                  "<TD bgcolor=#EEEEEE><b>2\r\n<TD bgcolor=#EEEEEE>0\r\n<TD bgcolor=#EEEEEE>30:00\r\n");
    const auto cid = page.find("<tr><td bgcolor=#EEEEEE>3.<TD bgcolor=#EEEEEE>\r\nCharlie Cid\r\n<td>CZE\r\n"
                               "<TD bgcolor=#EEEEEE><b><font color=#0000FF>1\r\n");
    EXPECT_NE(ann, std::string::npos) << page;
    EXPECT_NE(bob, std::string::npos);
    EXPECT_NE(cid, std::string::npos) << page;
    EXPECT_LT(ann, bob);
    EXPECT_LT(bob, cid);
    EXPECT_TRUE(fileExists(folder.file("E1/results_E1_class_A.csv")));

    const CliRun badClass = cli({"results", race, "--stage", "1", "--classes", "Z"});
    EXPECT_NE(badClass.status, 0);
    EXPECT_NE(badClass.out.find("the stage has no class Z"), std::string::npos);
}

TEST(ResultsCommand, DefineAndResultsWarnOfDefinitionMistakesAndStatsWritesTheStatisticsPage) {
    TempFolder folder;
    const std::string race = folder.file("jury.ravik");
    ASSERT_EQ(cli({"new", race}).status, 0);
    writeFile(
        folder.file("jury.json"),
        R"({"stages": [{"stage": 1, "race_name": "Jury Cup", "stage_start": "10:00", "classes": [{"slot": 1,
                  "class_name": "A", "control_flags": ["A-B", "A-C"], "control_answer": ["E", "X"],
                  "answer_codes": [[31, 32, 0, 0, 0, 0, 33], [41, 42, 43, 0, 0, 0, 44]], "time_limit": 60}]}]})");
    const std::string warning = "the answer \"E\" is not among the flags \"A-B\".";
    const CliRun defined = cli({"define", race, folder.file("jury.json")});
    EXPECT_EQ(defined.status, 0);
    EXPECT_NE(defined.out.find("ravik-cli: stage 1: Warning: class A, control 1: " + warning),
              std::string::npos)
        << defined.out;
    writeFile(folder.file("entries.txt"),
              "ABC1234 Q         2045117     Novak Jan                   CZE 12\r\n");
    EXPECT_EQ(cli({"import-text", race, "--stage", "1", folder.file("entries.txt")}).status, 0);
    const CliRun results =
        cli(followedBy({"results", race}, words("--stage 1 --classes A --iof --lang GBR")));
    EXPECT_EQ(results.status, 0) << results.out;
    EXPECT_NE(results.out.find("ravik-cli: Warning: class A, control 1: " + warning), std::string::npos);
    EXPECT_NE(results.out.find("1 competitor of class \"Q\" is in no class of stage 1"), std::string::npos)
        << results.out;
    const CliRun stats = cli(followedBy({"stats", race}, words("--stage 1 --classes A --iof --lang GBR")));
    EXPECT_EQ(stats.status, 0) << stats.out;
    EXPECT_EQ(stats.out, folder.file("E1/statistics_E1_class_A.htm") + "\n");
    EXPECT_NE(readFile(folder.file("E1/statistics_E1_class_A.htm")).find("Class A - 0 started"),
              std::string::npos);
    EXPECT_EQ(cli({"stats", race, "--stage", "1", "--classes", "Q"}).status == 0, false);
}

} // namespace
} // namespace ravik::test
