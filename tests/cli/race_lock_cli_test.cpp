// Two programs on one race: either both changes are in the files, or the second
// program was refused with the first one's PID; commands that only read run.
#include "core/byte_io.h"
#include "core/competitor_file.h"
#include "core/race_lock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace ravik {
namespace {

struct Running {
    std::FILE* pipe;
    std::string output;
    int status = -1;
};

Running start(const std::string& arguments) {
    return {::popen((std::string(RAVIK_CLI_PATH) + " " + arguments + " 2>&1").c_str(), "r"), {}};
}

void finish(Running& run) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, run.pipe)) > 0) run.output.append(buffer, n);
    const int status = ::pclose(run.pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Running runToEnd(const std::string& arguments) {
    Running run = start(arguments);
    finish(run);
    return run;
}

std::string entryLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string line(61, ' ');
        const std::string number = std::to_string(1000 + i);
        line.replace(0, 7, "ABC" + number).replace(8, 4, "Open").replace(18, 7, "800" + number);
        text += line.replace(30, 12, "Runner " + number).replace(58, 3, "CZE") + "\r\n";
    }
    return text;
}

constexpr const char* kRefusal = "The race is open in another program (PID ";

TEST(RaceLockCli, TwoCommandsRacingOnOneRaceNeverLoseAChange) {
    test::TempFolder folder;
    ASSERT_EQ(runToEnd("demo " + folder.path()).status, 0);
    const std::string race = folder.file("Sample.ravik"), competitors = folder.file("Sample.zavodnici");
    ASSERT_EQ(runToEnd("readout " + race + " --stage 1 --log " + folder.file("SIlog_E1.csv")).status, 0);
    test::writeFile(folder.file("entries.txt"), entryLines(999));
    const std::string before = test::readFile(competitors);
    const std::size_t rowsBefore = readCompetitorRecords(competitors).size();

    int refused = 0;
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        test::writeFile(competitors, before);
        Running results = start("results " + race + " --stage 1 --classes Elite --lang GBR");
        Running import = start("import-text " + race + " --stage 1 " + folder.file("entries.txt"));
        finish(results);
        finish(import);
        const auto records = readCompetitorRecords(competitors);
        const bool imported = records.size() == rowsBefore + 999;
        const bool scored = records.at(0).stage_points[0] != -1;
        for (Running* run : {&results, &import}) {
            if (run->status == 0) continue;
            EXPECT_EQ(run->status, 1) << run->output;
            EXPECT_NE(run->output.find(kRefusal), std::string::npos) << run->output;
            ++refused;
        }
        EXPECT_EQ(imported, import.status == 0);
        EXPECT_EQ(scored, results.status == 0);
        EXPECT_TRUE(results.status == 0 || import.status == 0);
    }
    RecordProperty("refused", refused);

    // While another program holds the race, a command that only reads still runs.
    const RaceLock held = RaceLock::take(race);
    ASSERT_TRUE(held.held());
    const Running info = runToEnd("info " + race);
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.output.find("Stage 1: 2026-05-16"), std::string::npos);
    const Running ids = runToEnd("ids " + race);
    EXPECT_EQ(ids.status, 1);
    EXPECT_EQ(ids.output, "ravik-cli: " + std::string(kRefusal) + std::to_string(::getpid()) +
                               "); nothing was changed. Close it there and try again.\n");
}

} // namespace
} // namespace ravik
