// A PreO Sprint class set up, scored and exported through ravik-cli.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

int cli(const std::vector<std::string>& arguments, std::string& output) {
    const test::ProgramRun run = test::runCli(arguments, test::Streams::Together);
    output = run.output;
    return run.exitCode;
}

std::string punches(const std::vector<std::pair<std::string, std::string>>& codeAndTime,
                    const std::string& finish) {
    auto line = [](const std::string& code, const std::string& mode, const std::string& time) {
        return "MANUAL;1;" + code + ";" + mode + ";RDO;6;2024-05-04;" + time + ";0;00\r\n";
    };
    std::string lines = line("1", "STA", "10:00:00");
    for (const auto& [code, time] : codeAndTime)
        lines += line(code, " CN", time);
    return lines + line("1", "FIN", finish);
}

// Class "S": controls 1 and 2 with the flag A (stations 31 and 41, Z 32 and 42),
// limit 10 minutes, factor 1.5, one point per started 30 seconds over.
TEST(SprintCli, DefineInfoResultsAndTheXmlTimeAndScore) {
    test::TempFolder folder;
    const std::string race = folder.file("Cup.ravik");
    std::string output;
    ASSERT_EQ(cli({"new", folder.file("Cup"), "--stages", "1"}, output), 0) << output;
    test::writeFile(folder.file("sprint.json"),
                    R"({"stages": [{"stage": 1, "stage_date": "2024-05-04", "stage_start": "10:00",
  "classes": [{"slot": 1, "class_name": "S", "control_flags": ["A", "A"], "control_answer": ["A", "Z"],
    "answer_codes": [[31, 0, 0, 0, 0, 0, 32], [41, 0, 0, 0, 0, 0, 42]], "time_limit": 10,
    "format": "preo-sprint", "time_factor": 1.5, "overtime_seconds_per_point": 30}]}]})");
    ASSERT_EQ(cli({"define", race, folder.file("sprint.json")}, output), 0) << output;
    ASSERT_EQ(cli({"info", race}, output), 0) << output;
    EXPECT_NE(
        output.find("  S: 2 controls, 0 timed-control tasks, penalty 0 s, limit 10 min, format preo-sprint, "
                    "time factor 1.5, over-time 30 s per point\n"),
        std::string::npos)
        << output;

    test::writeFile(folder.file("bad.json"),
                    R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "format": "sprint"}]}]})");
    EXPECT_NE(cli({"define", race, folder.file("bad.json")}, output), 0);
    EXPECT_NE(output.find("stages[0].classes[0].format: expected \"preo\" or \"preo-sprint\""),
              std::string::npos)
        << output;

    CompetitorTable table;
    table.setHeadings(Language::Czech);
    for (const auto& [id, name] : {std::pair{"1", "Novak Jan"}, std::pair{"2", "Lind Eva"}}) {
        TableRow row{};
        row[column::kId] = id;
        row[column::kRegistration] = std::string("R") + id;
        row[column::kClass] = "S";
        row[column::kName] = name;
        row[column::start(1)] = "0";
        table.appendRow(row);
    }
    LogLines log;
    saveCompetitorTable(folder.file("Cup.zavodnici"), table, log);
    // Novak: both right, 620 s (20 s over: 1 point off), ranking time 930.
    test::writeFile(folder.file("E1/1.si"), punches({{"31", "10:03:00"}, {"42", "10:06:00"}}, "10:10:20"));
    // Lind: one right, 301 s x 1.5 = 451.5, ranking time 452; the same net score, ahead.
    test::writeFile(folder.file("E1/2.si"), punches({{"31", "10:02:00"}, {"41", "10:04:00"}}, "10:05:01"));
    ASSERT_EQ(cli({"results", race, "--stage", "1", "--classes", "S", "--columns"}, output), 0) << output;
    ASSERT_EQ(cli({"export-xml", race, "--stage", "1", "--kind", "preo"}, output), 0) << output;
    const std::string xml = test::readFile(folder.file("Cup_PreoResults_E1.xml"));
    const auto lind = xml.find("<Family>Lind</Family>");
    const auto novak = xml.find("<Family>Novak</Family>");
    ASSERT_NE(lind, std::string::npos);
    ASSERT_NE(novak, std::string::npos);
    EXPECT_LT(lind, novak);
    EXPECT_NE(xml.find("  <Time>452</Time>\r\n  <Position>1</Position>\r\n  <Status>OK</Status>\r\n"
                       "  <Score>1</Score>\r\n",
                       lind),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("  <Time>930</Time>\r\n  <Position>2</Position>\r\n  <Status>OK</Status>\r\n"
                       "  <Score>1</Score>\r\n",
                       novak),
              std::string::npos)
        << xml;
}

} // namespace
} // namespace ravik
