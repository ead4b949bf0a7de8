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
#include <fstream>
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

// The lines of one read-out: start, 18 controls, finish.
std::string cardText(int card, int number) {
    std::string lines;
    for (int line = 0; line < kLinesPerCard; ++line) {
        const std::string mode = line == 0 ? "STA" : line == kLinesPerCard - 1 ? "FIN" : " CN";
        const std::string code = std::to_string(line == 0 ? 1 : line == kLinesPerCard - 1 ? 2 : 30 + line);
        lines += std::to_string(card) + ";" + std::to_string(number) + ";" + code + ";" + mode +
                 ";1;6;2023-11-01;1" + std::to_string(card % 10) + ":" + twoDigit(line) + ":" +
                 twoDigit(card % 60) + ";" + std::to_string(line) + ";" + std::to_string(kLinesPerCard) +
                 ";\r\n";
    }
    return lines;
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
        for (int card = 0; card < kCards; ++card)
            log += cardText(card, 2000000 + card);
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

// A race of `lines` log lines (20 a card, 2 000 competitors, the other cards
// nobody's) whose punch files all exist, for the pass with one new card.
struct GrowingRace {
    std::string folder, stageFolder, logPath;
    ravik::CompetitorTable table;
    int nextCard = 9000000;
};

GrowingRace growingRace(int lines) {
    GrowingRace r;
    const auto base =
        std::filesystem::temp_directory_path() / ("ravik-bench-growing-" + std::to_string(lines));
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "E1");
    r.folder = base.string() + "/";
    r.stageFolder = r.folder + "E1/";
    r.logPath = r.folder + "log.csv";
    const int cards = lines / kLinesPerCard;
    std::string log = std::string(ravik::kSiLogHeader) + "\r\n";
    for (int card = 0; card < cards; ++card)
        log += cardText(card, 2000000 + card);
    ravik::writeFileAtomically(r.logPath, log);
    for (int i = 1; i <= kCompetitors; ++i) {
        ravik::TableRow row;
        row[ravik::column::kId] = std::to_string(i);
        row[ravik::column::kSi] = std::to_string(2000000 + (i - 1) * cards / kCompetitors);
        r.table.appendRow(row);
    }
    // The punch files of the steady state, made without the pass's syncs.
    std::vector<bool> assigned(cards);
    for (int i = 1; i <= kCompetitors; ++i) {
        const int card = (i - 1) * cards / kCompetitors;
        if (assigned[card]) continue;
        assigned[card] = true;
        std::ofstream(r.stageFolder + std::to_string(i) + ".si") << "x";
    }
    for (int card = 0; card < cards; ++card)
        if (!assigned[card])
            std::ofstream(r.stageFolder + "SI" + std::to_string(2000000 + card) + ".si") << "x";
    std::filesystem::last_write_time(base / "E1",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
    return r;
}

// The window's pass on its timer after one more card was read: aim flat in the log's length.
void ReadoutPassOneNewCard(benchmark::State& state) {
    GrowingRace r = growingRace(static_cast<int>(state.range(0)));
    LastLineLog log;
    const auto memory = ravik::makeReadoutMemory();
    ravik::runReadoutPass({.logPath = r.logPath, .stageFolder = r.stageFolder}, r.table,
                          ravik::Language::Czech, log, {}, memory.get());
    std::size_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            std::ofstream append(r.logPath, std::ios::app | std::ios::binary);
            append << cardText(r.nextCard - 9000000, r.nextCard);
        }
        std::filesystem::last_write_time(r.logPath, std::filesystem::file_time_type::clock::now() -
                                                        std::chrono::minutes(1));
        ++r.nextCard;
        state.ResumeTiming();
        const auto result = ravik::runReadoutPass({.logPath = r.logPath, .stageFolder = r.stageFolder},
                                                  r.table, ravik::Language::Czech, log, {}, memory.get());
        written += result.newPunchFiles.size();
    }
    if (written != static_cast<std::size_t>(state.iterations()))
        state.SkipWithError("a new card was not written");
    state.SetLabel(std::to_string(ravik::fileSize(r.logPath)) + " bytes");
}
BENCHMARK(ReadoutPassOneNewCard)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

} // namespace
