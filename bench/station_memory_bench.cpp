// The memory of a running `ravik-cli station`: 2 000 cards read one after another
// from the emulated station on a pseudo-terminal, each through its punch file,
// with the resident set size (/proc/PID/statm) after the first 100 cards (warm)
// and after 2 000 more. A station that runs all day must not grow with the cards.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "station_emulator.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace ravik;
using namespace ravik::station;
namespace fs = std::filesystem;

constexpr int kWarmCards = 100;
constexpr int kCards = 2000;

double residentKilobytes(pid_t pid) {
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024.0;
}

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 1000 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return fs::exists(path);
}

void StationProcessMemory(benchmark::State& state) {
    const test::TempFolder folder;
    const std::string racePath = folder.file("cup.ravik");
    RaceRecord stage;
    stage.stage_number = 1;
    stage.classes[0].class_name = "H21";
    createRaceFile(racePath, stage);
    fs::create_directory(folder.file("E1"));
    CompetitorTable table;
    for (int i = 1; i <= kWarmCards + kCards; ++i)
        table.appendRow(test::competitorRow(std::to_string(i), "H21", "Runner " + std::to_string(i),
                                            std::to_string(1000000 + i)));
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);

    test::PtyStation station;
    std::vector<std::string> words{RAVIK_CLI_PATH,         "station", "--port", station.path(), "--log",
                                   folder.file("log.csv"), "--race",  racePath, "--stage",      "1"};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string outputPath =
        folder.file("station.txt"); // what it printed, shown should a card get stuck
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, words[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        state.SkipWithError("ravik-cli did not start");
        return;
    }
    posix_spawn_file_actions_destroy(&actions);
    station.waitUntil([](const test::FakeStation& s) {
        return std::find(s.commands.begin(), s.commands.end(), 0xF9) != s.commands.end();
    });
    // A card put in while the station still takes the last one out is "removed
    // early": the runner puts it in again, as the station asks.
    auto readCard = [&](int i) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            station.insert(test::makeCard(CardKind::Si9, static_cast<std::uint32_t>(1000000 + i),
                                          test::punchAt(1, "10:00:00"), test::punchAt(2, "11:10:00"),
                                          test::punchRun(23, 31, "10:01:00")));
            if (waitForFile(folder.file("E1/" + std::to_string(i) + ".si"))) return true;
        }
        return false;
    };
    double warm = 0, after = 0;
    int failed = 0;
    for (auto _ : state) {
        for (int i = 1; i <= kWarmCards + kCards && failed == 0; ++i) {
            if (!readCard(i)) failed = i;
            if (i == kWarmCards) warm = residentKilobytes(pid);
        }
        after = residentKilobytes(pid);
    }
    if (failed != 0) {
        std::ifstream output(outputPath);
        std::string text((std::istreambuf_iterator<char>(output)), std::istreambuf_iterator<char>());
        const std::string message = "card " + std::to_string(failed) + " did not reach its punch file; " +
                                    text.substr(text.size() > 300 ? text.size() - 300 : 0);
        state.SkipWithError(message.c_str());
    }
    ::kill(pid, SIGINT);
    ::waitpid(pid, nullptr, 0);
    state.counters["rss_warm_kb"] = warm;
    state.counters["rss_growth_kb"] = after - warm;
    state.counters["growth_per_card_b"] = (after - warm) * 1024 / kCards;
}
BENCHMARK(StationProcessMemory)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
