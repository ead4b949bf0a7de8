// A card read from the master station at 2 000 competitors: the time from the
// last byte of its read-out arriving to its lines being on disk (fsync) and its
// punch file written by the read-out pass, beside the wire time of the same
// read-out at 38 400 Bd (detect message, requests, replies, acknowledgement),
// the physical floor at the station. The log already holds the other 1 999
// cards and their punch files exist.
#include "core/competitor_table.h"
#include "core/log.h"
#include "last_line_log.h"
#include "readout/readout_pass.h"
#include "readout/station/card_log_lines.h"
#include "readout/station/si_log_append.h"
#include "readout/station/station_readout.h"
#include "station_emulator.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ravik;
using namespace ravik::station;
namespace fs = std::filesystem;

constexpr int kCompetitors = 2000;
constexpr double kBytesPerSecond = 38400.0 / 10; // 8N1: ten bits a byte

struct Race {
    std::string stageFolder, logPath;
    CompetitorTable table;
};

CardContents cardOf(CardKind kind, std::uint32_t number, int punches) {
    return test::makeCard(kind, number, test::punchAt(1, "10:00:00"), test::punchAt(2, "12:10:00"),
                          test::punchRun(punches, 31, "10:01:00"));
}

// Competitor i carries SI-Card 9 1000000 + i; all but the last were read already.
const Race& race() {
    static const Race prepared = [] {
        Race r;
        const fs::path base = fs::temp_directory_path() / "ravik-bench-station";
        fs::remove_all(base);
        fs::create_directories(base / "E1");
        r.stageFolder = (base / "E1").string() + "/";
        r.logPath = (base / "log.csv").string();
        const auto day = std::chrono::sys_days(std::chrono::year(2026) / 5 / 16);
        std::vector<std::string> lines;
        for (int i = 1; i <= kCompetitors; ++i) {
            TableRow row;
            row[column::kId] = std::to_string(i);
            row[column::kSi] = std::to_string(1000000 + i);
            r.table.appendRow(row);
            if (i == kCompetitors) continue;
            const auto card = cardLogLines(cardOf(CardKind::Si9, 1000000 + i, 23), 1, day);
            lines.insert(lines.end(), card.begin(), card.end());
        }
        appendToSiLog(r.logPath, lines);
        LastLineLog silent;
        ReadoutOptions options;
        options.logPath = r.logPath;
        options.stageFolder = r.stageFolder;
        runReadoutPass(options, r.table, Language::Czech, silent);
        return r;
    }();
    return prepared;
}

void StationReadoutToPunchFile(benchmark::State& state, CardKind kind, std::uint32_t number, int punches) {
    const Race& r = race();
    test::FakeStation fakeStation;
    test::FakeStationLink link(fakeStation);
    StationReadout readout(link);
    if (!readout.connect().connected()) state.SkipWithError("no station");
    // The competitor of the last card carries this one.
    CompetitorTable table = r.table;
    table.setCell(kCompetitors, column::kSi, std::to_string(number));
    ReadoutOptions options;
    options.logPath = r.logPath;
    options.stageFolder = r.stageFolder;
    const auto memory = makeReadoutMemory();
    LastLineLog log;
    runReadoutPass(options, table, Language::Czech, log, {}, memory.get());
    const CardContents card = cardOf(kind, number, punches);
    const std::string punchFile = r.stageFolder + std::to_string(kCompetitors) + ".si";
    double wireSeconds = 0, logSeconds = 0;
    for (auto _ : state) {
        fs::remove(punchFile);
        readout.poll(std::chrono::milliseconds(0), {}, Language::Czech); // the previous card's removal
        link.resetCount();
        link.insert(card);
        const StationReport report = readout.poll(std::chrono::milliseconds(0), r.logPath, Language::Czech);
        const auto lastByte = link.lastDelivery();
        logSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - lastByte).count();
        wireSeconds = static_cast<double>(link.bytesExchanged()) / kBytesPerSecond;
        runReadoutPass(options, table, Language::Czech, log, {}, memory.get());
        const auto done = std::chrono::steady_clock::now();
        if (report.kind != StationReportKind::CardLogged || !fs::exists(punchFile))
            state.SkipWithError("the card did not reach its punch file");
        state.SetIterationTime(std::chrono::duration<double>(done - lastByte).count());
    }
    state.counters["wire_time"] = wireSeconds * 1000; // milliseconds, as the benchmark's unit
    // Of the time, the part until the lines are on disk and the station acknowledged.
    state.counters["log_on_disk"] = logSeconds * 1000 / static_cast<double>(state.iterations());
    state.SetLabel(std::to_string(link.bytesExchanged()) + " bytes on the wire");
}

BENCHMARK_CAPTURE(StationReadoutToPunchFile, SI9_23_punches, CardKind::Si9, 1000000 + kCompetitors, 23)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StationReadoutToPunchFile, SIAC_128_punches, CardKind::Siac, 8000000 + kCompetitors, 128)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

} // namespace
