// A read-out pass over a 100 000-line log of 5 000 cards against 2 000
// competitors whose punch files already exist (the steady state during a race),
// beside the time to merely read the same log bytes.
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/log.h"
#include "last_line_log.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kCards = 5000;
constexpr int kLinesPerCard = 20;
constexpr int kCompetitors = 2000;

// A pass without memory logs the caution for each of the 3 000 unknown cards: LastLineLog.

struct Race {
    std::string folder, stageFolder, logPath;
    ravik::CompetitorTable table;
};

std::string twoDigit(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

const Race& race() {
    static const Race prepared = [] {
        Race r;
        const auto base = std::filesystem::temp_directory_path() / "ravik-bench-readout";
        std::filesystem::remove_all(base);
        std::filesystem::create_directories(base / "E1");
        r.folder = base.string() + "/";
        r.stageFolder = r.folder + "E1/";
        r.logPath = r.folder + "log.csv";
        std::string log = std::string(ravik::kSiLogHeader) + "\r\n";
        for (int card = 0; card < kCards; ++card) {
            const std::string number = std::to_string(2000000 + card);
            for (int line = 0; line < kLinesPerCard; ++line) {
                const std::string mode = line == 0 ? "STA" : line == kLinesPerCard - 1 ? "FIN" : " CN";
                const std::string code = std::to_string(line == 0                   ? 1
                                                        : line == kLinesPerCard - 1 ? 2
                                                                                    : 30 + line);
                log += std::to_string(card) + ";" + number + ";" + code + ";" + mode + ";1;6;2023-11-01;1" +
                       std::to_string(card % 10) + ":" + twoDigit(line) + ":" + twoDigit(card % 60) + ";" +
                       std::to_string(line) + ";" + std::to_string(kLinesPerCard) + ";\r\n";
            }
        }
        ravik::writeFileAtomically(r.logPath, log);
        for (int i = 1; i <= kCompetitors; ++i) {
            ravik::TableRow row;
            row[ravik::column::kId] = std::to_string(i);
            row[ravik::column::kSi] = std::to_string(2000000 + (i - 1) * kCards / kCompetitors);
            r.table.appendRow(row);
        }
        LastLineLog silent;
        ravik::runReadoutPass({.logPath = r.logPath, .stageFolder = r.stageFolder}, r.table,
                              ravik::Language::Czech, silent);
        std::filesystem::last_write_time(base / "E1", std::filesystem::file_time_type::clock::now() -
                                                          std::chrono::minutes(5));
        return r;
    }();
    return prepared;
}

void ReadBytesOnly_Log(benchmark::State& state) {
    const Race& r = race();
    for (auto _ : state)
        benchmark::DoNotOptimize(ravik::readWholeFile(r.logPath));
    state.SetLabel(std::to_string(ravik::fileSize(r.logPath)) + " bytes");
}
BENCHMARK(ReadBytesOnly_Log)->Unit(benchmark::kMillisecond);

void ReadoutPassAllFilesExist(benchmark::State& state) {
    const Race& r = race();
    LastLineLog log;
    std::size_t written = 0;
    for (auto _ : state) {
        const auto result = ravik::runReadoutPass({.logPath = r.logPath, .stageFolder = r.stageFolder},
                                                  r.table, ravik::Language::Czech, log);
        written += result.newPunchFiles.size();
    }
    if (written != 0) state.SkipWithError("a pass rewrote punch files");
}
BENCHMARK(ReadoutPassAllFilesExist)->Unit(benchmark::kMillisecond);

// As the main window runs it: the pass remembers the lines it read and the
// folder it listed, so a pass over an unchanged log re-reads and compares only.
void ReadoutPassWithMemory(benchmark::State& state) {
    const Race& r = race();
    LastLineLog log;
    const auto memory = ravik::makeReadoutMemory();
    std::size_t written = 0;
    for (auto _ : state) {
        const auto result = ravik::runReadoutPass({.logPath = r.logPath, .stageFolder = r.stageFolder},
                                                  r.table, ravik::Language::Czech, log, {}, memory.get());
        written += result.newPunchFiles.size();
    }
    if (written != 0) state.SkipWithError("a pass rewrote punch files");
}
BENCHMARK(ReadoutPassWithMemory)->Unit(benchmark::kMillisecond);

} // namespace
