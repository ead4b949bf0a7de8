// A race day in fast motion: a writer of its own appends the cards of every
// competitor to the SI log, a few at a time, as the read-out station does, while
// the read-out pass runs on its timer, each new punch file asks for its printout,
// the regeneration rebuilds the result page and the backup copies the race.
// At the end every card has exactly one punch file with its lines, every
// competitor exactly one printout, the page lists everyone and nothing is lost.
//
// RAVIK_SOAK_COMPETITORS sets the size (default 300; scripts/soak.sh runs 2 000).
#include "core/backup.h"
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/readout_pass.h"
#include "scoring/results_run.h"
#include "slips/printout.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <thread>

using namespace ravik;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kControlsPerClass = 20;
const char* const kClassNames[] = {"H21", "D21"};

int competitorCount() {
    const char* size = std::getenv("RAVIK_SOAK_COMPETITORS");
    return size ? std::max(1, std::atoi(size)) : 300;
}

// Both classes run the same twenty controls with three flags each.
RaceRecord soakStage() {
    RaceRecord r;
    r.stage_number = 1;
    r.stage_date = "2026-05-16";
    r.race_name = "Soak Cup";
    r.stage_place = "Brno";
    r.stage_start = "09:00";
    for (int slot = 0; slot < 2; ++slot) {
        ClassDefinition& c = r.classes[slot];
        c.class_name = kClassNames[slot];
        c.time_limit = 120;
        for (int k = 0; k < kControlsPerClass; ++k) {
            c.control_flags[k] = "A-C";
            c.control_answer[k] = std::string(1, static_cast<char>('A' + k % 3));
            for (int j = 0; j < 3; ++j)
                c.answer_codes[k][j] = 100 + k * 4 + j;
            c.answer_codes[k][6] = 100 + k * 4 + 3;
        }
    }
    return r;
}

int cardOf(int id) {
    return 3000000 + id;
}
std::string nameOf(int id) {
    return "Runner " + std::to_string(10000 + id);
}

std::string clock(int seconds) {
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

// The log lines of one read card; what its punch file must hold.
std::string cardLines(int id, int& eventId) {
    const int start = 9 * 3600 + id * 15; // starts 15 s apart, all before noon at 2 000
    std::string lines;
    auto line = [&](const std::string& code, const std::string& mode, int time) {
        ++eventId;
        lines += std::to_string(eventId) + ";" + std::to_string(cardOf(id)) + ";" + code + ";" + mode +
                 ";1;6;2026-05-16;" + clock(time) + ";1;" + std::to_string(eventId) + ";\r\n";
    };
    line("1", "STA", start);
    int time = start;
    for (int k = 0; k < kControlsPerClass; ++k) {
        time += 60 + (id * 7 + k * 13) % 120;
        const int answer = (id + k) % 5 == 0 ? (k + 1) % 3 : k % 3; // a wrong answer now and then
        line(std::to_string(100 + k * 4 + answer), " CN", time);
    }
    line("2", "FIN", time + 30);
    return lines;
}

CompetitorTable soakTable(int competitors) {
    CompetitorTable table;
    table.setHeadings(Language::Czech);
    for (int id = 1; id <= competitors; ++id) {
        TableRow row;
        row[column::kId] = std::to_string(id);
        row[column::kClass] = kClassNames[id % 2];
        row[column::kSi] = std::to_string(cardOf(id));
        row[column::kName] = nameOf(id);
        row[column::kFlag] = "CZE";
        row[column::start(1)] = formatGeneral15(id * 0.25);
        table.appendRow(row);
    }
    return table;
}

// The read-out station: appends the cards in start order, a few per write, each
// write straight to the file. False when a write failed.
bool runReadoutStation(const std::string& logPath, int competitors) {
    std::FILE* file = std::fopen(logPath.c_str(), "ab");
    if (!file) return false;
    const auto put = [&](const std::string& bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    };
    bool written = put("EventId;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt\r\n");
    int eventId = 0;
    for (int id = 1; id <= competitors && written;) {
        std::string batch;
        for (int n = 0; n < 3 && id <= competitors; ++n, ++id)
            batch += cardLines(id, eventId);
        written = put(batch);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::fclose(file) == 0 && written;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        out.push_back(text.substr(from, end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    return out;
}

} // namespace

TEST(RaceDaySoak, EveryCardGivesOnePunchFileAndOnePrintoutAndNothingIsLost) {
    const int competitors = competitorCount();
    test::TempFolder folder;
    Session session;
    session.race.setRacePath(folder.file("Soak.ravik"));
    session.race.setCurrentStageText("1");
    const RaceRecord stage = soakStage();
    createRaceFile(session.race.racePath(), stage);
    ensureFolder(session.race.currentStageFolder());
    session.table = soakTable(competitors);
    session.saveCompetitors();
    const std::string logPath = folder.file("SIlog.csv");

    // The station writes from a thread of its own, through a file handle of its own.
    std::atomic<bool> stationWriting = true, stationSucceeded = false;
    std::thread station([&] {
        stationSucceeded = runReadoutStation(logPath, competitors);
        stationWriting = false;
    });
    struct Joined {
        std::thread& thread;
        ~Joined() { thread.join(); }
    } joined{station};

    ReadoutOptions readout;
    readout.logPath = logPath;
    readout.stageFolder = session.race.currentStageFolder();
    auto memory = makeReadoutMemory();

    ResultsRunOptions results;
    results.scoring.stage = 1;
    results.scoring.selectedClasses = {"H21", "D21"};
    results.page.raceName = stage.race_name;
    results.page.scoreColumns = true;
    results.page.details = true;

    std::map<std::string, int> printouts;
    auto printout = [&](const std::string& id) {
        PrintoutRequest request;
        request.competitorId = id;
        request.run = results;
        for (const PrintoutData& data : makePrintouts(session, request).printouts) {
            EXPECT_EQ(data.id, id);
            ++printouts[id];
        }
    };

    int passes = 0, regenerations = 0, backups = 0;
    std::chrono::duration<double, std::milli> lastPass{};
    std::string pagePath;
    auto onePass = [&] {
        const auto begin = Clock::now();
        runReadoutPass(readout, session, printout, memory.get());
        lastPass = Clock::now() - begin;
        ++passes;
    };
    // The timers of the main and results windows, fired in turn on one thread:
    // the read-out pass as often as it can, the page every 0.5 s, the backup every 1 s.
    auto lastPage = Clock::now(), lastBackup = Clock::now();
    bool stationDone = false;
    const auto deadline = Clock::now() + std::chrono::minutes(20);
    while (!stationDone && Clock::now() < deadline) {
        stationDone = !stationWriting;
        if (stationDone) {
            ASSERT_TRUE(stationSucceeded);
        }
        onePass();
        if (Clock::now() - lastPage > std::chrono::milliseconds(500)) {
            pagePath = runResults(session, results).pagePath;
            ++regenerations;
            lastPage = Clock::now();
        }
        if (Clock::now() - lastBackup > std::chrono::seconds(1)) {
            backUpRace(session.race, session.log);
            ++backups;
            lastBackup = Clock::now();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(stationDone) << "the read-out station did not finish";
    onePass(); // the cards appended after the last pass
    onePass(); // and a pass with nothing new
    pagePath = runResults(session, results).pagePath;
    backUpRace(session.race, session.log);

    // Every card: exactly one punch file holding its lines.
    int eventId = 0;
    for (int id = 1; id <= competitors; ++id) {
        const std::string expected = cardLines(id, eventId);
        const std::string path = session.race.currentStageFolder() + std::to_string(id) + ".si";
        ASSERT_TRUE(fileExists(path)) << id;
        EXPECT_EQ(lines(readWholeFile(path)), lines(expected)) << id;
        EXPECT_EQ(printouts[std::to_string(id)], 1) << id;
    }
    EXPECT_EQ(static_cast<int>(printouts.size()), competitors);
    EXPECT_FALSE(fileExists(session.race.currentStageFolder() + "SI" + std::to_string(cardOf(1)) + ".si"));

    // The page lists everyone; the competitor file keeps everyone with points.
    const std::string page = readWholeFile(pagePath);
    for (int id = 1; id <= competitors; ++id)
        EXPECT_NE(page.find(nameOf(id)), std::string::npos) << id;
    const auto records = readCompetitorRecords(session.race.competitorFilePath());
    ASSERT_EQ(static_cast<int>(records.size()), competitors);
    for (const auto& record : records)
        EXPECT_GE(record.stage_points[0], 16) << record.competitor_id;
    const BackupNames backup = backupNames(session.race);
    EXPECT_EQ(readWholeFile(backup.competitorFile), readWholeFile(session.race.competitorFilePath()));
    EXPECT_EQ(readWholeFile(backup.raceFile), readWholeFile(session.race.racePath()));

    std::cout << "[ soak ] " << competitors << " cards, " << passes << " read-out passes, " << regenerations
              << " page rebuilds, " << backups << " backups; last pass " << lastPass.count() << " ms\n";
    RecordProperty("cards", competitors);
    RecordProperty("passes", passes);
}
