// A whole stage scored and written as a detailed result page: 2 000 competitors,
// 40 controls and 20 timed-control stations, each with a punch file and a
// timed-control file; beside it the time to merely read all those files.
#include "bench_race.h"
#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "scoring/result_page.h"
#include "scoring/results_run.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace ravik::bench;

constexpr int kCompetitors = 2000;
constexpr int kClasses = 4;

// The race on disk, made once: race file, competitor file, 2 000 punch and timed-control files.
struct BenchRace {
    std::string racePath;
    ravik::RaceRecord record;
    std::vector<std::string> files;

    BenchRace() {
        const auto folder = std::filesystem::temp_directory_path() / "ravik-bench-scoring";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "E1");
        racePath = (folder / "Race.ravik").string();
        record = benchStage(kClasses);
        ravik::createRaceFile(racePath, record);

        ravik::Session session;
        session.race.setRacePath(racePath);
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        const std::string stageFolder = session.race.stageFolder(1);
        for (int i = 1; i <= kCompetitors; ++i) {
            ravik::TableRow row = benchCompetitor(i, kClasses);
            session.table.appendRow(row);
            const ravik::ClassDefinition& definition = record.classes[i % kClasses];
            const std::string punches = cardLines(i, definition, "2000");
            const std::string timed = timedControlText(i, definition);
            files.push_back(stageFolder + std::to_string(i) + ".si");
            ravik::writeFileAtomically(files.back(), punches);
            files.push_back(stageFolder + std::to_string(i) + ".tc2");
            ravik::writeFileAtomically(files.back(), timed);
        }
        session.saveCompetitors();
    }
};

const BenchRace& benchRace() {
    static const BenchRace race;
    return race;
}

void ReadBytesOnly_PunchAndTimedControlFiles(benchmark::State& state) {
    const BenchRace& race = benchRace();
    for (auto _ : state)
        for (const std::string& file : race.files)
            benchmark::DoNotOptimize(ravik::readWholeFile(file));
}
BENCHMARK(ReadBytesOnly_PunchAndTimedControlFiles)->Unit(benchmark::kMillisecond);

ravik::ResultsRunOptions detailedPage() {
    ravik::ResultsRunOptions options;
    for (int c = 0; c < kClasses; ++c)
        options.scoring.selectedClasses.push_back(std::string("K").append(std::to_string(c)));
    options.page.raceName = "Bench Cup";
    options.page.scoreColumns = true;
    options.page.details = true;
    options.page.splits = true;
    options.page.oris = true;
    return options;
}

// Score, rank, write back and build the detailed page (no competitor file save).
void ScoreStageAndWriteDetailedPage(benchmark::State& state) {
    const BenchRace& race = benchRace();
    ravik::Session session;
    session.race.setRacePath(race.racePath);
    session.race.setCurrentStageText("1");
    session.loadCompetitors();
    const ravik::ResultsRunOptions options = detailedPage();
    for (auto _ : state) {
        session.log = {};
        const auto results = ravik::scoreStage(session, race.record, options.scoring);
        benchmark::DoNotOptimize(ravik::writeResultPage(
            results, race.record, 1, options.scoring.selectedClasses, options.page, session.language,
            session.race.raceFolder(), session.race.stageFolder(1), session.log));
    }
}
BENCHMARK(ScoreStageAndWriteDetailedPage)->Unit(benchmark::kMillisecond);

// The whole "Výsledky" run, competitor file save included.
void WholeResultsRun(benchmark::State& state) {
    const BenchRace& race = benchRace();
    ravik::Session session;
    session.race.setRacePath(race.racePath);
    session.race.setCurrentStageText("1");
    session.loadCompetitors();
    const ravik::ResultsRunOptions options = detailedPage();
    for (auto _ : state) {
        session.log = {};
        benchmark::DoNotOptimize(ravik::runResults(session, options).pagePath);
    }
}
BENCHMARK(WholeResultsRun)->Unit(benchmark::kMillisecond);

} // namespace
