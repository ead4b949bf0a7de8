// The window's kept results against runs from scratch: after random edits of a
// random race, a run through the cache gives the same results, table, log lines,
// competitor file and page as a full run, and scores only the rows that changed.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/folder_watch.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "scoring/results_run.h"
#include "scoring/score_cache.h"
#include "scoring_race.h"
#include "slips/printout.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <thread>

namespace ravik::test {
namespace {

constexpr int kRaceControls = 12;
constexpr int kRaceCompetitors = 24;
constexpr int kSteps = 30;
const std::vector<std::string> kClassNames = {"H21", "D21", "H55"};

// Sets the modification time to `seconds` after the epoch plus `nanoseconds`.
void setModified(const std::string& path, std::int64_t seconds, long nanoseconds) {
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

class RandomRace {
public:
    explicit RandomRace(unsigned seed) : rng_(seed) {
        for (int c = 0; c < 3; ++c)
            race.record.classes[c] = randomClass(kClassNames[c]);
        race.saveRecord();
        for (int i = 1; i <= kRaceCompetitors; ++i) {
            // One row of a class the stage does not define, one without ID.
            const std::string className = i == 7 ? "X99" : kClassNames[pick(3)];
            race.addCompetitor(i == 11 ? "" : std::to_string(i), className, "Runner " + std::to_string(i),
                               std::to_string(pick(60)));
            if (pick(4) != 0) writePunches(i);
            if (pick(2) != 0) writeTimedControls(i);
        }
        options.scoring.selectedClasses = kClassNames;
        options.page.scoreColumns = true;
        options.page.details = true;
        options.page.splits = true;
    }

    ScoringRace race;
    ResultsRunOptions options;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string id(int i) const { return std::to_string(i); }

    void edit() {
        const int i = 1 + pick(kRaceCompetitors);
        const int row = i;
        switch (pick(10)) {
        case 0: // a new card read out (or one read again after its file was deleted)
            writePunches(i);
            break;
        case 1: { // a punch file rewritten in place with the same size, its time set on
            const std::string path = race.stageFolder() + id(i) + ".si";
            if (!fileExists(path)) break;
            std::string bytes = readFile(path);
            const auto at = bytes.find("; CN");
            if (at == std::string::npos) break;
            char& digit = bytes[at - 1]; // the answer position of the first control punch
            digit = digit == '0' ? '1' : '0';
            const FileState before = fileState(path);
            writeFile(path, bytes);
            setModified(path, before.modified / 1'000'000'000, before.modified % 1'000'000'000 + 1);
            break;
        }
        case 2: { // the class editor saves a changed class
            ClassDefinition& definition = race.record.classes[pick(3)];
            definition.control_answer[pick(kRaceControls)] = std::string(1, "ABCZ"[pick(4)]);
            definition.time_limit = 60 + pick(3) * 30;
            definition.cluster_penalty = 30 + pick(3) * 30;
            race.saveRecord();
            break;
        }
        case 3: // a start cell typed or emptied
            race.setCell(row, column::start(1), pick(5) == 0 ? "" : std::to_string(pick(90)) + ".5");
            break;
        case 4: // a timed-control file deleted
            std::filesystem::remove(race.stageFolder() + id(i) + ".tc2");
            break;
        case 5: // options switched
            options.scoring.keepOrder = pick(2) != 0;
            options.scoring.tempoStyle = pick(2) != 0;
            options.scoring.wrongAnswerPenalty = std::to_string(30 + pick(3) * 15);
            options.scoring.selectedClasses = {kClassNames[pick(3)], kClassNames[pick(3)]};
            break;
        case 6: // disqualified, or a name corrected
            if (pick(2) != 0)
                race.setCell(row, column::disqualified(1), pick(2) != 0 ? "DISK" : "");
            else
                race.setCell(row, column::kName, "Runner " + id(i) + "b");
            break;
        case 7: // the stage's zero time changed
            race.record.stage_start = pick(2) != 0 ? "10:00" : "09:30";
            race.saveRecord();
            break;
        case 8: { // cells the scoring of stage 1 does not read: the card, another stage's
                  // start, and points typed over by hand, which the run writes again
            const int cell = std::array{column::kSi, column::start(2), column::points(1)}[pick(3)];
            race.setCell(row, cell, std::to_string(pick(9999)));
            break;
        }
        default: // a timed-control file downloaded
            writeTimedControls(i);
            break;
        }
    }

private:
    ClassDefinition randomClass(const std::string& name) {
        std::string answers;
        for (int k = 0; k < kRaceControls; ++k)
            answers += "ABCZ"[pick(4)];
        ClassDefinition definition = makeClass(name, answers, 60 + pick(3) * 30);
        definition.cluster_penalty = 60;
        definition.break1_from_code = 901;
        definition.break1_to_code = 902;
        for (int s = 0; s < 3; ++s)
            for (int t = 0; t < 3; ++t)
                definition.cluster_answers[s][t] = std::string(1, "ABC"[pick(3)]);
        return definition;
    }

    std::string clock(int seconds) const {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60,
                      seconds % 60);
        return text;
    }

    void writePunches(int i) {
        std::vector<std::string> lines;
        int time = 36000 + pick(3600);
        if (pick(4) != 0) lines.push_back(startPunch(clock(time)));
        for (int k = 1; k <= kRaceControls; ++k) {
            if (pick(8) == 0) continue;
            const int control = pick(6) == 0 ? 1 + pick(kRaceControls) : k; // now and then out of order
            time += 60 + pick(400);
            lines.push_back(controlPunch(answerCode(control, "ABCZ"[pick(4)]), clock(time)));
            if (k == 5 && pick(3) == 0) {
                lines.push_back(controlPunch(901, clock(time + 5)));
                lines.push_back(controlPunch(902, clock(time + 300)));
            }
        }
        if (pick(5) != 0) lines.push_back(finishPunch(clock(time + 100 + pick(3000))));
        race.writePunches(id(i), lines);
    }

    void writeTimedControls(int i) {
        std::vector<std::string> lines;
        for (int s = 0; s < 3; ++s)
            lines.push_back(std::string(1, "ABC-"[pick(4)]) + "ABC"[pick(3)] + "A;" +
                            std::to_string(10 + pick(50)) + ";*");
        race.writeTimedControls(id(i), lines);
    }

    std::mt19937 rng_;
};

// Everything a run leaves behind.
struct RunOutput {
    std::vector<StageResult> results;
    CompetitorTable table;
    std::vector<std::string> log;
    std::string competitorFile, page;
};

// The page without the time it was generated at.
std::string timeless(std::string page) {
    const auto at = page.find("Generated: ");
    if (at != std::string::npos) page.erase(at, page.find('\r', at) - at);
    return page;
}

RunOutput run(ScoringRace& race, ResultsRunOptions options, StageScoreCache* cache) {
    race.session.log = {};
    options.cache = cache;
    const ResultsRunOutcome outcome = runResults(race.session, options);
    return {cache ? cache->results() : outcome.results, race.session.table, race.session.log.lines(),
            readFile(race.session.race.competitorFilePath()), timeless(readFile(outcome.pagePath))};
}

TEST(StageScoreCache, RunsThroughTheCacheWriteByteForByteWhatFullRunsWrite) {
    using Watch = StageScoreCache::Watch;
    for (const auto& [seed, watch] : {std::pair{1u, Watch::StageFolder},
                                      {2u, Watch::StageFolder},
                                      {3u, Watch::None},
                                      {4u, Watch::None}}) {
        RandomRace random(seed);
        StageScoreCache cache(std::chrono::nanoseconds(0), watch);
        int rescored = 0;
        for (int step = 0; step < kSteps; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (watch == Watch::None ? " unwatched" : " watched") +
                         ", step " + std::to_string(step));
            for (int edits = random.pick(3); edits > 0; --edits)
                random.edit();
            const CompetitorTable before = random.race.session.table;
            const RunOutput full = run(random.race, random.options, nullptr);
            random.race.session.table = before;
            const RunOutput incremental = run(random.race, random.options, &cache);
            rescored += cache.rescoredRows();
            ASSERT_TRUE(full.results == incremental.results);
            ASSERT_TRUE(full.table.row(0) == incremental.table.row(0));
            for (int row = 1; row < full.table.rowCount(); ++row)
                ASSERT_EQ(full.table.row(row), incremental.table.row(row)) << "row " << row;
            ASSERT_EQ(full.log, incremental.log);
            ASSERT_TRUE(full.competitorFile == incremental.competitorFile);
            ASSERT_TRUE(full.page == incremental.page);
        }
        EXPECT_LT(rescored, kSteps * kRaceCompetitors / 2) << "the cache kept nothing";
    }
}

TEST(StageScoreCache, WithoutAWatchScoresAgainOnlyTheRowsWhoseInputsChangedOrAreInDoubt) {
    RandomRace random(7);
    ScoringRace& race = random.race;
    // Every file settled, with fine-grained times.
    for (const auto& entry : std::filesystem::directory_iterator(race.stageFolder()))
        setModified(entry.path().string(), 1'700'000'000, 123'456'789);
    const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(250)); };
    settle();
    StageScoreCache cache(std::chrono::milliseconds(200), StageScoreCache::Watch::None);
    const auto rescoredAfterRun = [&] {
        cache.score(race.session.table, race.record, race.stageFolder(), random.options.scoring);
        return cache.rescoredRows();
    };
    EXPECT_EQ(rescoredAfterRun(), kRaceCompetitors);
    EXPECT_EQ(rescoredAfterRun(), 0);

    race.writePunches("3", {startPunch("10:00:00"), finishPunch("11:00:00")}); // just written: not settled
    EXPECT_EQ(rescoredAfterRun(), 1);
    EXPECT_EQ(rescoredAfterRun(), 1);
    setModified(race.stageFolder() + "3.si", 1'700'000'100, 5);
    settle(); // its inode change settles
    EXPECT_EQ(rescoredAfterRun(), 1);
    EXPECT_EQ(rescoredAfterRun(), 0);

    // Whole seconds: a file system without nanoseconds; that row is always scored again.
    setModified(race.stageFolder() + "3.si", 1'700'000'200, 0);
    EXPECT_EQ(rescoredAfterRun(), 1);
    EXPECT_EQ(rescoredAfterRun(), 1);
    setModified(race.stageFolder() + "3.si", 1'700'000'200, 7);

    race.setCell(5, column::kName, "Renamed"); // an edited cell
    settle();
    EXPECT_EQ(rescoredAfterRun(), 2);         // the renamed row and row 3, settled now
    race.setCell(5, column::points(1), "99"); // a result cell: written by the run, never read
    EXPECT_EQ(rescoredAfterRun(), 0);

    int classRows = 0;
    for (int row = 1; row <= kRaceCompetitors; ++row)
        classRows += race.session.table.cell(row, column::kClass) == kClassNames[1];
    race.record.classes[1].time_limit += 10; // the class editor's save
    EXPECT_EQ(rescoredAfterRun(), classRows);

    random.options.scoring.selectedClasses = {kClassNames[0]}; // the ranking's choice only
    EXPECT_EQ(rescoredAfterRun(), 0);
    random.options.scoring.keepOrder = !random.options.scoring.keepOrder;
    EXPECT_EQ(rescoredAfterRun(), kRaceCompetitors);
    race.record.stage_start = "08:00";
    EXPECT_EQ(rescoredAfterRun(), kRaceCompetitors);
    cache.clear();
    EXPECT_EQ(rescoredAfterRun(), kRaceCompetitors);
}

TEST(StageScoreCache, AWatchedStageFolderVouchesForTheFilesThatDidNotChange) {
    RandomRace random(8);
    ScoringRace& race = random.race;
    if (!FolderWatch().look(race.stageFolder()).watching) GTEST_SKIP() << "no watch on this file system";
    // A file linked from elsewhere can change without the folder hearing of it:
    // that row is looked at every time (its file just written, so in doubt).
    race.writePunches("5", {startPunch("10:00:00")});
    std::filesystem::create_hard_link(race.stageFolder() + "5.si", race.folder.file("elsewhere.si"));
    StageScoreCache cache(std::chrono::seconds(10));
    const auto rescoredAfterRun = [&] {
        cache.score(race.session.table, race.record, race.stageFolder(), random.options.scoring);
        return cache.rescoredRows();
    };
    EXPECT_EQ(rescoredAfterRun(), kRaceCompetitors);
    EXPECT_EQ(rescoredAfterRun(), 1);
    // Files just written are in doubt by their times, but the watch vouches for them.
    race.writePunches("3", {startPunch("10:00:00"), finishPunch("11:00:00")});
    EXPECT_EQ(rescoredAfterRun(), 2);
    EXPECT_EQ(rescoredAfterRun(), 1);
    setModified(race.stageFolder() + "3.si", 1'700'000'200, 0); // touched, whole seconds
    writeFile(race.stageFolder() + "vysledky_E1.htm", "page");  // no competitor's file
    writeFile(race.stageFolder() + "04.si", "");                // not what ID 4 names its file
    EXPECT_EQ(rescoredAfterRun(), 2);
    EXPECT_EQ(rescoredAfterRun(), 1);
}

std::string cardInLog(const std::string& card, const std::string& answerCode) {
    return "1;" + card + ";1;STA;1;6;2026-05-01;10:00:00;1;3;\r\n1;" + card + ";" + answerCode +
           "; CN;1;6;2026-05-01;10:05:00;2;3;\r\n1;" + card + ";2;FIN;1;6;2026-05-01;10:30:00;3;3;\r\n";
}

TEST(StageScoreCache, APassWithTwoSlipsSavesTheCompetitorFileOnceAfterTheLast) {
    ScoringRace race;
    race.record.classes[0] = makeClass("H21", "A");
    race.saveRecord();
    for (const std::string id : {"1", "2", "3"}) {
        race.addCompetitor(id, "H21", "Runner " + id);
        race.setCell(std::stoi(id), column::kSi, "70" + id);
    }
    const std::string logPath = race.folder.file("log.csv");
    writeFile(logPath, std::string(kSiLogHeader) + "\r\n" + cardInLog("701", "10") + cardInLog("702", "11"));
    int saves = 0;
    race.session.competitorsSaved.push_back([&] { ++saves; });
    StageScoreCache cache;
    std::vector<PrintoutData> printouts;
    ReadoutOptions readout;
    readout.logPath = logPath;
    readout.stageFolder = race.stageFolder();
    const ReadoutPassResult pass = runReadoutPass(readout, race.session, [&](const std::string& id) {
        PrintoutRequest request;
        request.competitorId = id;
        request.run.cache = &cache;
        for (const PrintoutData& data : makePrintouts(race.session, request).printouts)
            printouts.push_back(data);
        EXPECT_EQ(saves, 0) << "saved before the pass ended";
    });
    ASSERT_EQ(pass.newPunchFiles, (std::vector<std::string>{"1", "2"}));
    ASSERT_EQ(printouts.size(), 2u);
    EXPECT_EQ(printouts[0].points, 1);
    EXPECT_EQ(printouts[1].place, 2);
    EXPECT_EQ(saves, 1);
    CompetitorTable saved;
    loadCompetitorTable(race.session.race.competitorFilePath(), saved);
    EXPECT_EQ(saved.cell(1, column::points(1)), "1");
    EXPECT_EQ(saved.cell(2, column::points(1)), "0");
    EXPECT_EQ(saved.cell(3, column::points(1)), "");

    // A second window on the race, which the first one holds, reads and writes nothing.
    const std::string fileBefore = readFile(race.session.race.competitorFilePath());
    Session second;
    second.race.setRacePath(race.session.race.racePath());
    second.race.setCurrentStageText("1");
    second.loadCompetitors();
    ResultsRunOptions options;
    options.printoutMode = true;
    StageScoreCache secondCache;
    options.cache = &secondCache;
    EXPECT_THROW(runResults(second, options), RaceLockedError);
    EXPECT_TRUE(runReadoutPass(readout, second).refused);
    EXPECT_EQ(readFile(race.session.race.competitorFilePath()), fileBefore);
    EXPECT_EQ(secondCache.rescoredRows(), 0);
}

} // namespace
} // namespace ravik::test
