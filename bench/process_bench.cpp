// Whole processes, as a user or a script runs them: `ravik-cli readout` with
// nothing new on a 100 000-line log (5 000 cards, 2 000 competitors whose punch
// files exist) beside `wc -l` of the same log, and `ravik-cli --help` beside
// /bin/true. Each the median of 5 runs. The ravik-cli measured is $RAVIK_CLI,
// else the one built with this benchmark.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/race_file.h"
#include "readout/si_log_csv.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace ravik;
namespace fs = std::filesystem;

constexpr int kCards = 5000, kLinesPerCard = 20, kCompetitors = 2000;

std::string twoDigit(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

struct Race {
    std::string racePath, logPath;
};

const Race& race() {
    static const Race prepared = [] {
        Race r;
        const fs::path base = fs::temp_directory_path() / "ravik-bench-process";
        fs::remove_all(base);
        fs::create_directories(base / "E1");
        r.racePath = (base / "cup.ravik").string();
        r.logPath = (base / "log.csv").string();
        RaceRecord stage;
        stage.stage_number = 1;
        stage.classes[0].class_name = "H21";
        createRaceFile(r.racePath, stage);
        std::string log = std::string(kSiLogHeader) + "\r\n";
        for (int card = 0; card < kCards; ++card)
            for (int line = 0; line < kLinesPerCard; ++line) {
                const std::string mode = line == 0 ? "STA" : line == kLinesPerCard - 1 ? "FIN" : " CN";
                const int code = line == 0 ? 1 : line == kLinesPerCard - 1 ? 2 : 30 + line;
                log += std::to_string(card) + ";" + std::to_string(2000000 + card) + ";" +
                       std::to_string(code) + ";" + mode + ";1;6;2023-11-01;1" + std::to_string(card % 10) +
                       ":" + twoDigit(line) + ":" + twoDigit(card % 60) + ";" + std::to_string(line) +
                       ";20;\r\n";
            }
        writeFileAtomically(r.logPath, log);
        CompetitorTable table;
        std::vector<bool> assigned(kCards);
        for (int i = 1; i <= kCompetitors; ++i) {
            const int card = (i - 1) * kCards / kCompetitors;
            TableRow row;
            row[column::kId] = std::to_string(i);
            row[column::kClass] = "H21";
            row[column::kSi] = std::to_string(2000000 + card);
            table.appendRow(row);
            assigned[card] = true;
            std::ofstream((base / "E1" / (std::to_string(i) + ".si")).string()) << "x";
        }
        for (int card = 0; card < kCards; ++card)
            if (!assigned[card])
                std::ofstream((base / "E1" / ("SI" + std::to_string(2000000 + card) + ".si")).string())
                    << "x";
        LogLines saveLog;
        saveCompetitorTable((base / "cup.zavodnici").string(), table, saveLog);
        fs::last_write_time(base / "E1", fs::file_time_type::clock::now() - std::chrono::minutes(5));
        fs::last_write_time(r.logPath, fs::file_time_type::clock::now() - std::chrono::minutes(5));
        return r;
    }();
    return prepared;
}

std::string cliPath() {
    const char* chosen = std::getenv("RAVIK_CLI");
    return chosen && *chosen ? chosen : RAVIK_CLI_PATH;
}

// Runs the program to its end with its output thrown away; false when it failed.
bool run(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, words[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void timeProcess(benchmark::State& state, const std::vector<std::string>& words) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!run(words)) state.SkipWithError("the program failed");
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void Process_WcLines(benchmark::State& state) {
    timeProcess(state, {"/usr/bin/wc", "-l", race().logPath});
}
void Process_ReadoutNothingNew(benchmark::State& state) {
    run({cliPath(), "readout", race().racePath, "--stage", "1", "--log",
         race().logPath}); // the state settles
    timeProcess(state, {cliPath(), "readout", race().racePath, "--stage", "1", "--log", race().logPath});
}
void Process_True(benchmark::State& state) {
    timeProcess(state, {"/bin/true"});
}
void Process_Help(benchmark::State& state) {
    timeProcess(state, {cliPath(), "--help"});
}

#define PROCESS_BENCHMARK(name)                                                                              \
    BENCHMARK(name)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(       \
        benchmark::kMillisecond)
PROCESS_BENCHMARK(Process_WcLines);
PROCESS_BENCHMARK(Process_ReadoutNothingNew);
PROCESS_BENCHMARK(Process_True);
PROCESS_BENCHMARK(Process_Help);

} // namespace
