// Loading and saving the competitor file at 2 000 records, each beside the time
// to merely read the same bytes.
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/log.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::string benchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "ravik-bench-competitors";
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

ravik::CompetitorTable tableOf(int competitors) {
    ravik::CompetitorTable table;
    for (int i = 1; i <= competitors; ++i) {
        ravik::CompetitorRecord r;
        r.competitor_id = i;
        r.registration = "ABC" + std::to_string(1000 + i % 9000);
        r.competitor_class = i % 2 ? "H21" : "D21";
        r.si_card = 2000000 + i;
        r.competitor_name = ravik::utf8ToCp1250("Novák Jan " + std::to_string(i));
        r.nation = "CZE";
        r.relay_number = i / 3;
        r.start_offset = {float(i) * 0.5f, 12.5f, -1.0f, -1.0f, -1.0f};
        r.stage_points = {18, 20, -1, -1, -1};
        r.stage_tc_time = {245, 180, -1, -1, -1};
        table.appendRow(ravik::rowFromRecord(r));
    }
    return table;
}

const std::string& savedFile() {
    static const std::string path = [] {
        const std::string file = benchFolder() + "Race.zavodnici";
        auto table = tableOf(2000);
        ravik::LogLines log;
        ravik::saveCompetitorTable(file, table, log);
        return file;
    }();
    return path;
}

void ReadBytesOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ravik::readWholeFile(savedFile()));
}
BENCHMARK(ReadBytesOnly);

void LoadCompetitorFile(benchmark::State& state) {
    ravik::CompetitorTable table;
    for (auto _ : state) {
        ravik::loadCompetitorTable(savedFile(), table);
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(LoadCompetitorFile);

void SaveCompetitorFile(benchmark::State& state) {
    auto table = tableOf(2000);
    const std::string file = benchFolder() + "Save.zavodnici";
    ravik::LogLines log;
    for (auto _ : state)
        ravik::saveCompetitorTable(file, table, log);
}
BENCHMARK(SaveCompetitorFile);

} // namespace
