// What ravik-cli's writing commands leave on disk: no temporary files of killed
// writers, and a sample race that never overwrites one.
#include "core/race_lock.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace ravik::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string err;
};

CliRun runCli(const std::vector<std::string>& arguments) {
    const ProgramRun run = test::runCli(arguments);
    return {run.exitCode, run.errors};
}

TEST(DurableSaves, WritingCommandsRemoveTheTemporaryFilesOfKilledWritersAndReadingOnesLeaveThem) {
    TempFolder folder;
    const std::string race = folder.file("Sample.ravik");
    ASSERT_EQ(runCli({"demo", folder.path()}).status, 0);
    const std::string dead = endedProcessId();
    const std::vector<std::string> stale = {folder.file("Sample.zavodnici.tmp" + dead + "_1"),
                                            folder.file("E1/12.si.tmp" + dead + "_2"),
                                            folder.file("E2/startlist_E2.htm.tmp" + dead + "_3")};
    const std::string justWritten = folder.file("Sample.ravik.tmp" + dead + "_4");
    auto leaveTemporaries = [&] {
        for (const std::string& path : stale) {
            writeFile(path, "half");
            ageFile(path, 120);
        }
        writeFile(justWritten, "half");
    };

    leaveTemporaries();
    ASSERT_EQ(runCli({"competitors", race}).status, 0);
    for (const std::string& path : stale)
        EXPECT_TRUE(fs::exists(path)) << path;

    writeFile(folder.file("stage2.json"), R"({"stages": [{"stage": 2, "stage_place": "Telč"}]})");
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"competitors", race, "--set", "1", "Name", "Tester"},
                                               {"define", race, folder.file("stage2.json")},
                                               {"startlist", race, "--stage", "2"}}) {
        SCOPED_TRACE(commandLine(command));
        leaveTemporaries();
        const CliRun run = runCli(command);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("Removed temporary files of a program that ended: 3"), std::string::npos)
            << run.err;
        for (const std::string& path : stale)
            EXPECT_FALSE(fs::exists(path)) << path;
        EXPECT_TRUE(fs::exists(justWritten)); // may be another computer's writer, still at work
    }
}

// Every file under the folder with its bytes.
std::map<std::string, std::string> contents(const TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
        if (entry.is_regular_file() && entry.path().filename() != "stderr.txt")
            files[entry.path().string()] = readFile(entry.path().string());
    return files;
}

TEST(DemoCommand, RefusesAFolderHoldingAnyOfItsFilesAndWritesNothingThere) {
    TempFolder folder;
    const std::string race = folder.file("Sample.ravik");
    ASSERT_EQ(runCli({"demo", folder.path()}).status, 0);
    ASSERT_EQ(runCli({"competitors", race, "--set", "1", "Name", "Edited"}).status, 0);
    writeFile(folder.file("SIlog_E1.csv"),
              readFile(folder.file("SIlog_E1.csv")) + "1;7001234;31; CN;;;;;1;1;\r\n");
    const RaceLock heldElsewhere = RaceLock::take(race);
    ASSERT_TRUE(heldElsewhere.held());
    const auto before = contents(folder);
    const CliRun again = runCli({"demo", folder.path()});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err,
              "ravik-cli: " + folder.path() + " holds a race already (" + race + "); nothing was written\n");
    EXPECT_TRUE(contents(folder) == before);

    // One timed-control file of the sample is enough to refuse.
    const auto tc2 = std::find_if(before.begin(), before.end(),
                                  [](const auto& file) { return file.first.ends_with(".tc2"); });
    ASSERT_NE(tc2, before.end());
    TempFolder other;
    const std::string name = fs::path(tc2->first).filename().string();
    fs::create_directory(other.file("E1"));
    writeFile(other.file("E1/" + name), "kept");
    const CliRun refused = runCli({"demo", other.path()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("E1/" + name), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(other.file("Sample.ravik")));
    EXPECT_FALSE(fs::exists(other.file("E2")));
    EXPECT_EQ(readFile(other.file("E1/" + name)), "kept");
}

} // namespace
} // namespace ravik::test
