// The system calls behind ravik-cli's saves, as strace sees them: a Linux tool.
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

namespace ravik::test {
namespace {

namespace fs = std::filesystem;

ProgramRun runCli(const std::vector<std::string>& arguments) {
    return test::runCli(arguments);
}

// ravik-cli under strace, which writes the calls that make a save durable to tracePath.
ProgramRun tracedCli(const std::vector<std::string>& arguments, const std::string& tracePath) {
    std::vector<std::string> words{
        "strace", "-f",      "-s",     "4096", "-e", "trace=fsync,fdatasync,rename,renameat,renameat2,openat",
        "-o",     tracePath, cliPath()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return runProgram(words);
}

bool straceTraces() {
    return runProgram({"strace", "-f", "-o", "/dev/null", "true"}).exitCode == 0;
}

// The competitor file in the earlier layout: its 220-byte records cut to 212 bytes.
void makeEarlierLayout(const std::string& competitorFile) {
    const std::string bytes = readFile(competitorFile);
    std::string earlier;
    for (std::size_t at = 0; at + 220 <= bytes.size(); at += 220)
        earlier += bytes.substr(at, 212);
    writeFile(competitorFile, earlier);
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

TEST(DurableSaves, EveryRenameOfTheWritingCommandsFollowsAFileSyncAndIsFollowedByAFolderSync) {
    if (!straceTraces()) GTEST_SKIP() << "strace cannot trace here (not installed or ptrace not permitted)";
    TempFolder folder;
    const std::string race = folder.file("Sample.ravik");
    ASSERT_EQ(runCli({"demo", folder.path()}).exitCode, 0);
    makeEarlierLayout(folder.file("Sample.zavodnici"));
    writeFile(folder.file("stage2.json"), R"({"stages": [{"stage": 2, "stage_place": "Telč"}]})");

    const std::vector<std::vector<std::string>> commands = {
        {"competitors", race, "--set", "1", "Name", "Tester"},
        {"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")},
        {"results", race, "--stage", "1", "--classes", "Elite,Open", "--lang", "GBR"},
        {"define", race, folder.file("stage2.json")},
        {"export-xml", race, "--stage", "1", "--kind", "preo"},
        {"startlist", race, "--stage", "1"},
    };
    for (std::size_t n = 0; n < commands.size(); ++n) {
        SCOPED_TRACE(commandLine(commands[n]));
        const std::string trace = folder.file("trace" + std::to_string(n) + ".txt");
        const ProgramRun run = tracedCli(commands[n], trace);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const std::vector<Event> events = syncsAndRenames(trace);
        EXPECT_NE(renameTo(events, folder.path()), events.size()) << "the command renamed nothing";
        expectEveryRenameSynced(events);
        if (n == 0) // the original bytes are on disk before the file that held them is replaced
            EXPECT_LT(renameTo(events, ".orig-"), renameOnto(events, folder.file("Sample.zavodnici")));
    }
}

} // namespace
} // namespace ravik::test
