// The slip at the read-out table at 2 000 competitors (40 controls, 20 stations),
// run as the main window runs it: a read-out pass whose every new punch file
// finds its competitor in the print list, prepares the results window's stage
// and makes the competitor's printout (the stage computation in printout mode)
// and its printer slip; the print list is refreshed once the pass is over.
// (a) the slip for one new punch file, and the whole pass around it; (b) a pass
// bringing 50 cards; (c) the floor: reading and scoring one competitor and
// placing him.
#include "bench_race.h"
#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/print_list.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "scoring/results_window_rules.h"
#include "scoring/score_cache.h"
#include "scoring/stage_scoring.h"
#include "slips/printer_slip.h"
#include "slips/printout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace ravik::bench;

constexpr int kCompetitors = 2000;
constexpr int kClasses = 4;

std::string cardOf(int i) {
    return std::to_string(3000000 + i);
}

// Race file, competitor file, the read-out log of every card, every punch file
// (written by a first pass) and every timed-control file.
struct SlipRace {
    std::string racePath, stageFolder, logPath;
    ravik::RaceRecord record;

    SlipRace() {
        const auto folder = std::filesystem::temp_directory_path() / "ravik-bench-slip";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "E1");
        racePath = (folder / "Race.ravik").string();
        logPath = (folder / "log.csv").string();
        record = benchStage(kClasses);
        ravik::createRaceFile(racePath, record);

        ravik::Session session;
        open(session);
        session.table.setRowCount(1);
        stageFolder = session.race.stageFolder(1);
        std::string log = std::string(ravik::kSiLogHeader) + "\r\n";
        for (int i = 1; i <= kCompetitors; ++i) {
            ravik::TableRow row = benchCompetitor(i, kClasses);
            row[ravik::column::kSi] = cardOf(i);
            session.table.appendRow(row);
            const ravik::ClassDefinition& definition = record.classes[i % kClasses];
            log += cardLines(i, definition, cardOf(i));
            ravik::writeFileAtomically(stageFolder + std::to_string(i) + ".tc2",
                                       timedControlText(i, definition));
        }
        ravik::writeFileAtomically(logPath, log);
        session.saveCompetitors();
        ravik::runReadoutPass(readoutOptions(), session);
    }

    ravik::ReadoutOptions readoutOptions() const {
        ravik::ReadoutOptions options;
        options.logPath = logPath;
        options.stageFolder = stageFolder;
        return options;
    }

    void open(ravik::Session& session) const {
        session.race.setRacePath(racePath);
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.log.keepLast(ravik::kLogBoxLines);
    }
};

const SlipRace& slipRace() {
    static const SlipRace race;
    return race;
}

// The main window with its results window: the session, the read-out memory and
// the results window's scored results of the stage.
class Window {
public:
    explicit Window(const SlipRace& race) : race_(race) { race.open(session_); }

    // One read-out pass; returns the number of slips made.
    int pass() {
        slips_ = 0;
        ravik::runReadoutPass(
            race_.readoutOptions(), session_, [this](const std::string& id) { slip(id); }, memory_.get());
        if (slips_ > 0) // the print list, as a refresh shows it, once the pass is over
            benchmark::DoNotOptimize(
                ravik::printListItems(printList_.look(race_.stageFolder), session_.table));
        return slips_;
    }

    // The slip the pass makes for a new punch file: the competitor found in the print
    // list, the printout computed (the stage record read by the run) and drawn for
    // the preview and the printer.
    void slip(const std::string& id) {
        benchmark::DoNotOptimize(ravik::printListHasItemOf(printList_.look(race_.stageFolder), id));
        ravik::PrintoutRequest request;
        request.competitorId = id;
        request.run.cache = &cache_;
        const ravik::PrintoutOutcome outcome = ravik::makePrintouts(session_, request);
        for (const ravik::PrintoutData& data : outcome.printouts) {
            const ravik::PrintoutOptions options{.language = session_.language};
            benchmark::DoNotOptimize(ravik::windowPrintout(data, options));
            benchmark::DoNotOptimize(ravik::printerSlip(data, options, {}));
            ++slips_;
        }
    }

    // The slip as the pass makes it: the competitor file is saved after the slip.
    void slipBeforeTheSave(const std::string& id, benchmark::State& state) {
        ravik::Session::HeldSaves saves(session_);
        slip(id);
        state.PauseTiming();
        saves.finish();
        state.ResumeTiming();
    }

private:
    const SlipRace& race_;
    ravik::Session session_;
    std::shared_ptr<ravik::ReadoutMemory> memory_ = ravik::makeReadoutMemory();
    ravik::FolderNames printList_;
    ravik::StageScoreCache cache_; // the results window's of stage 1
    int slips_ = 0;
};

// The last `count` competitors' cards have not been read out yet.
void removeNewestPunchFiles(const SlipRace& race, int count) {
    for (int i = kCompetitors - count + 1; i <= kCompetitors; ++i)
        std::filesystem::remove(race.stageFolder + std::to_string(i) + ".si");
}

void readoutPassBringing(benchmark::State& state, int cards) {
    const SlipRace& race = slipRace();
    Window window(race);
    window.pass(); // the window has run before
    for (auto _ : state) {
        state.PauseTiming();
        removeNewestPunchFiles(race, cards);
        state.ResumeTiming();
        if (window.pass() != cards) state.SkipWithError("the pass did not make one slip per new card");
    }
}

// (a) One slip when one new punch file arrived: the competitor's card read again.
void SlipForOneNewPunchFile(benchmark::State& state) {
    const SlipRace& race = slipRace();
    Window window(race);
    window.pass(); // the window has run before
    const std::string id = std::to_string(kCompetitors);
    for (auto _ : state) {
        state.PauseTiming();
        removeNewestPunchFiles(race, 1);
        if (window.pass() != 1) state.SkipWithError("the pass did not make the slip");
        state.ResumeTiming();
        window.slipBeforeTheSave(id, state);
    }
}
BENCHMARK(SlipForOneNewPunchFile)->Unit(benchmark::kMicrosecond);

// The read-out pass around it: the log read, the punch file written, the slip
// made and the competitor file saved.
void ReadoutPassWithOneNewCard(benchmark::State& state) {
    readoutPassBringing(state, 1);
}
BENCHMARK(ReadoutPassWithOneNewCard)->Unit(benchmark::kMicrosecond);

// (b)
void ReadoutPassWithFiftyNewCards(benchmark::State& state) {
    readoutPassBringing(state, 50);
}
BENCHMARK(ReadoutPassWithFiftyNewCards)->Unit(benchmark::kMillisecond);

// (c) The floor: one competitor's two files read and scored, and him placed.
void ReadAndScoreOneCompetitor(benchmark::State& state) {
    const SlipRace& race = slipRace();
    ravik::Session session;
    race.open(session);
    ravik::CompetitorTable one;
    one.setRowCount(1);
    one.appendRow(session.table.row(kCompetitors));
    ravik::RaceRecord record = race.record;
    const int slot = kCompetitors % kClasses;
    for (int c = 0; c < ravik::kClassSlots; ++c)
        if (c != slot) record.classes[c] = {};
    ravik::ScoringOptions options;
    options.selectedClasses = {record.classes[slot].class_name};
    ravik::LogLines log;
    for (auto _ : state) {
        auto results = ravik::scoreCompetitors(one, record, race.stageFolder, options);
        ravik::rankResults(results, options, log);
        benchmark::DoNotOptimize(results.front().place);
    }
}
BENCHMARK(ReadAndScoreOneCompetitor)->Unit(benchmark::kMicrosecond);

} // namespace
