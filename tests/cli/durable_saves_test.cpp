// What ravik-cli's writing commands leave on disk: saves that last a power cut,
// no temporary files of killed writers, and a sample race that never overwrites one.
#include "core/race_lock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace ravik::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string err;
};

// Runs ravik-cli, under strace writing to tracePath when one is given.
CliRun runCli(const TempFolder& folder, const std::string& arguments, const std::string& tracePath = "") {
    const std::string trace =
        tracePath.empty()
            ? ""
            : "strace -f -s 4096 -e trace=fsync,fdatasync,rename,renameat,renameat2,openat -o '" + tracePath +
                  "' ";
    const std::string command =
        trace + RAVIK_CLI_PATH + " " + arguments + " >/dev/null 2>'" + folder.file("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder.file("stderr.txt"))};
}

bool straceTraces() {
    return std::system("strace -f -o /dev/null true >/dev/null 2>&1") == 0;
}

struct Event {
    enum Kind { Sync, Rename } kind;
    std::string path, to; // Sync: the synced file or folder; Rename: from and to
};

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The syncs and renames of a strace log, in order, with descriptors turned into the paths they were opened
// as.
std::vector<Event> syncsAndRenames(const std::string& tracePath) {
    static const std::regex call(R"(^(\d+)\s+(\w+)\((.*)\)\s+=\s+(-?\d+))");
    static const std::regex quoted(R"re("((?:[^"\\]|\\.)*)")re");
    std::map<std::string, std::string> unfinished; // by PID
    std::map<long, std::string> openFiles;
    std::vector<Event> events;
    std::istringstream lines(readFile(tracePath));
    for (std::string line; std::getline(lines, line);) {
        const std::string pid = line.substr(0, line.find(' '));
        if (const auto cut = line.find(" <unfinished ...>"); cut != std::string::npos) {
            unfinished[pid] = line.substr(0, cut);
            continue;
        }
        if (const auto resumed = line.find(" resumed>"); resumed != std::string::npos)
            line = unfinished[pid] + line.substr(resumed + 9);
        std::smatch match;
        if (!std::regex_search(line, match, call)) continue;
        const std::string name = match[2], arguments = match[3];
        const long result = std::stol(match[4]);
        std::vector<std::string> strings;
        for (auto it = std::sregex_iterator(arguments.begin(), arguments.end(), quoted);
             it != std::sregex_iterator(); ++it)
            strings.push_back((*it)[1]);
        if (name == "openat" && result >= 0 && !strings.empty())
            openFiles[result] = withoutTrailingSlash(strings[0]);
        if ((name == "fsync" || name == "fdatasync") && result == 0)
            events.push_back({Event::Sync, openFiles[std::stol(arguments)], ""});
        if (name.rfind("rename", 0) == 0 && result == 0 && strings.size() >= 2)
            events.push_back({Event::Rename, strings[0], strings[1]});
    }
    return events;
}

// Every rename has an fsync of the renamed file before it and one of its folder after it, before the next
// rename.
void expectEveryRenameSynced(const std::vector<Event>& events) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind != Event::Rename) continue;
        const Event& rename = events[i];
        bool fileSynced = false, folderSynced = false;
        for (std::size_t j = 0; j < i; ++j)
            fileSynced |= events[j].kind == Event::Sync && events[j].path == rename.path;
        const std::string folder = fs::path(rename.to).parent_path().string();
        for (std::size_t k = i + 1; k < events.size() && events[k].kind != Event::Rename; ++k)
            folderSynced |= events[k].path == folder;
        EXPECT_TRUE(fileSynced) << "not synced before its rename: " << rename.path;
        EXPECT_TRUE(folderSynced) << "folder not synced after the rename to " << rename.to;
    }
}

// The first rename to a name that holds `part`.
std::size_t renameTo(const std::vector<Event>& events, const std::string& part) {
    for (std::size_t i = 0; i < events.size(); ++i)
        if (events[i].kind == Event::Rename && events[i].to.find(part) != std::string::npos) return i;
    return events.size();
}

std::size_t renameOnto(const std::vector<Event>& events, const std::string& path) {
    for (std::size_t i = 0; i < events.size(); ++i)
        if (events[i].kind == Event::Rename && events[i].to == path) return i;
    return events.size();
}

// The competitor file in the earlier layout: its 220-byte records cut to 212 bytes.
void makeEarlierLayout(const std::string& competitorFile) {
    const std::string bytes = readFile(competitorFile);
    std::string earlier;
    for (std::size_t at = 0; at + 220 <= bytes.size(); at += 220)
        earlier += bytes.substr(at, 212);
    writeFile(competitorFile, earlier);
}

TEST(DurableSaves, EveryRenameOfTheWritingCommandsFollowsAFileSyncAndIsFollowedByAFolderSync) {
    if (!straceTraces()) GTEST_SKIP() << "strace cannot trace here (not installed or ptrace not permitted)";
    TempFolder folder;
    const std::string race = folder.file("Sample.ravik");
    ASSERT_EQ(runCli(folder, "demo " + folder.path()).status, 0);
    makeEarlierLayout(folder.file("Sample.zavodnici"));
    writeFile(folder.file("stage2.json"), R"({"stages": [{"stage": 2, "stage_place": "Telč"}]})");

    const std::vector<std::string> commands = {
        "competitors " + race + " --set 1 Name Tester",
        "readout " + race + " --stage 1 --log " + folder.file("SIlog_E1.csv"),
        "results " + race + " --stage 1 --classes Elite,Open --lang GBR",
        "define " + race + " " + folder.file("stage2.json"),
        "export-xml " + race + " --stage 1 --kind preo",
        "startlist " + race + " --stage 1",
    };
    for (std::size_t n = 0; n < commands.size(); ++n) {
        SCOPED_TRACE(commands[n]);
        const std::string trace = folder.file("trace" + std::to_string(n) + ".txt");
        const CliRun run = runCli(folder, commands[n], trace);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<Event> events = syncsAndRenames(trace);
        EXPECT_NE(renameTo(events, folder.path()), events.size()) << "the command renamed nothing";
        expectEveryRenameSynced(events);
        if (n == 0) // the original bytes are on disk before the file that held them is replaced
            EXPECT_LT(renameTo(events, ".orig-"), renameOnto(events, folder.file("Sample.zavodnici")));
    }
}

std::string deadWritersPid() {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    return std::to_string(ended);
}

TEST(DurableSaves, WritingCommandsRemoveTheTemporaryFilesOfKilledWritersAndReadingOnesLeaveThem) {
    TempFolder folder;
    const std::string race = folder.file("Sample.ravik");
    ASSERT_EQ(runCli(folder, "demo " + folder.path()).status, 0);
    const std::string dead = deadWritersPid();
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
    ASSERT_EQ(runCli(folder, "competitors " + race).status, 0);
    for (const std::string& path : stale)
        EXPECT_TRUE(fs::exists(path)) << path;

    writeFile(folder.file("stage2.json"), R"({"stages": [{"stage": 2, "stage_place": "Telč"}]})");
    for (const std::string& command :
         {"competitors " + race + " --set 1 Name Tester", "define " + race + " " + folder.file("stage2.json"),
          "startlist " + race + " --stage 2"}) {
        SCOPED_TRACE(command);
        leaveTemporaries();
        const CliRun run = runCli(folder, command);
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
    ASSERT_EQ(runCli(folder, "demo " + folder.path()).status, 0);
    ASSERT_EQ(runCli(folder, "competitors " + race + " --set 1 Name Edited").status, 0);
    writeFile(folder.file("SIlog_E1.csv"),
              readFile(folder.file("SIlog_E1.csv")) + "1;7001234;31; CN;;;;;1;1;\r\n");
    const RaceLock heldElsewhere = RaceLock::take(race);
    ASSERT_TRUE(heldElsewhere.held());
    const auto before = contents(folder);
    const CliRun again = runCli(folder, "demo " + folder.path());
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
    const CliRun refused = runCli(other, "demo " + other.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("E1/" + name), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(other.file("Sample.ravik")));
    EXPECT_FALSE(fs::exists(other.file("E2")));
    EXPECT_EQ(readFile(other.file("E1/" + name)), "kept");
}

} // namespace
} // namespace ravik::test
