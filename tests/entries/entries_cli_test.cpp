#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/race_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ravik {
namespace {

struct CliResult {
    int status;
    std::string output;
};

CliResult runCli(const std::string& arguments) {
    const std::string command = std::string(RAVIK_CLI_PATH) + " " + arguments + " 2>&1";
    CliResult result{-1, {}};
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.output.append(buffer, n);
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

std::vector<CompetitorRecord> competitors(const test::TempFolder& folder) {
    return readCompetitorRecords(folder.file("Cup.zavodnici"));
}

TEST(EntriesCli, ImportsNumbersDrawsAndWritesTheStartList) {
    test::TempFolder folder;
    RaceRecord stage;
    stage.race_name = "Cup";
    stage.stage_start = "10:00";
    createRaceFile(folder.file("Cup.ravik"), stage);
    const std::string race = "'" + folder.file("Cup.ravik") + "'";
    auto line = [](std::string registration, std::string card, std::string name) {
        std::string text(61, ' ');
        text.replace(0, 7, registration).replace(8, 3, "H21").replace(18, card.size(), card);
        return text.replace(30, name.size(), name).replace(58, 3, "CZE") + "\r\n";
    };
    // Saved as UTF-8 by a current editor: the names arrive in the program's code page.
    test::writeFile(folder.file("entries.txt"),
                    cp1250ToUtf8(line("ABC1234", "1234567", "Nov\xE1k Jan") +
                                 line("ABC1235", "7654321", "Dvo\xF8\xE1k Petr")));

    auto result = runCli("import-text " + race + " --stage 1 '" + folder.file("entries.txt") + "'");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "Lines imported: 2, rows added: 2\n"
                             "Added competitors per class: H21 2\n"
                             "2 competitors of class \"H21\" are in no class of stage 1\n");
    // A new race's one empty row takes the first competitor.
    ASSERT_EQ(competitors(folder).size(), 2u);
    EXPECT_EQ(competitors(folder)[0].competitor_name, "Nov\xE1k Jan");
    EXPECT_EQ(competitors(folder)[1].competitor_name, "Dvo\xF8\xE1k Petr");
    EXPECT_EQ(competitors(folder)[1].start_offset[0], 0.0f);

    const std::string entries = std::string(RAVIK_SOURCE_DIR) + "/tests/entries/data/";
    result = runCli("import-xml " + race + " --stage 1 '" + entries + "one_line_entry.xml'");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "Entries: 1, matched: 1, added: 0\nAdded competitors per class: none\n");
    test::writeFile(folder.file("teams.xml"),
                    "<EntryList><TeamEntry><Name>Relay 1</Name></TeamEntry></EntryList>");
    result = runCli("import-xml " + race + " --stage 1 '" + folder.file("teams.xml") + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "The file holds no person entry (PersonEntry), nothing was imported: " +
                                 folder.file("teams.xml") + " (team entry list (TeamEntry))\n");

    ASSERT_EQ(runCli("ids " + race).status, 0);
    EXPECT_EQ(competitors(folder)[0].competitor_id, 1);
    EXPECT_EQ(competitors(folder)[1].competitor_id, 2);

    result = runCli("draw " + race + " --stage 1 --in-order --first 10 --interval 2,5");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(competitors(folder)[0].start_offset[0], 10.0f);
    EXPECT_EQ(competitors(folder)[1].start_offset[0], 12.5f);

    result = runCli("startlist " + race + " --stage 1");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, folder.file("E1/startlist_E1.htm") + "\n");
    EXPECT_NE(test::readFile(folder.file("E1/startlist_E1.htm"))
                  .find("<b>12:30</b>&nbsp;</font><td bgcolor=#FFFFAA>&nbsp;10:12:30"),
              std::string::npos);

    result = runCli("startlist " + race + " --stage 4");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "This stage (4) is not set in this competition.\n");
    EXPECT_EQ(runCli("draw " + race + " --stage 9").status, 2);
}

} // namespace
} // namespace ravik
