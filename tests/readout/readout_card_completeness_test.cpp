// A card is written only once the read-out software has finished writing it.
#include "core/competitor_table.h"
#include "core/log.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;

namespace {

constexpr int kCards = 200;

std::string cardNumber(int card) {
    return std::to_string(3000000 + card);
}

// Card k: a start, 8 to 27 control punches and, unless k is a multiple of 7, a finish.
std::vector<std::string> cardLines(int card) {
    std::vector<std::string> lines;
    auto line = [&](const std::string& code, const std::string& mode, int minute) {
        lines.push_back(std::to_string(lines.size() + 1) + ";" + cardNumber(card) + ";" + code + ";" + mode +
                        ";1;6;2026-05-16;1" + std::to_string(minute / 60) + ":" +
                        (minute % 60 < 10 ? "0" : "") + std::to_string(minute % 60) + ":00;1;1;");
    };
    line("1", "STA", 0);
    for (int i = 0; i < 8 + card % 20; ++i)
        line(std::to_string(31 + i), " CN", 1 + i);
    if (card % 7 != 0) line("2", "FIN", 59);
    return lines;
}

// The read-out software: appends the cards line by line, now and then a line in two
// writes, each write straight to the file. False when a write failed.
bool writeCards(const std::string& logPath) {
    std::FILE* file = std::fopen(logPath.c_str(), "ab");
    if (!file) return false;
    const auto put = [&](const char* bytes, std::size_t count) {
        return std::fwrite(bytes, 1, count, file) == count && std::fflush(file) == 0;
    };
    bool written = true;
    for (int card = 1; card <= kCards && written; ++card)
        for (const std::string& text : cardLines(card)) {
            const std::string line = text + "\r\n";
            const std::size_t split = card % 3 == 0 ? line.size() / 2 : line.size();
            written = written && put(line.data(), split);
            if (split < line.size()) {
                std::this_thread::sleep_for(std::chrono::microseconds(500));
                written = written && put(line.data() + split, line.size() - split);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(1500));
        }
    return std::fclose(file) == 0 && written;
}

} // namespace

TEST(ReadoutCompleteness, NoCardIsCutShortWhileTheReadOutSoftwareAppendsItLineByLine) {
    TempFolder race;
    const std::string logPath = race.file("log.csv");
    ravik::test::writeFile(logPath, std::string(kSiLogHeader) + "\r\n");
    CompetitorTable table;
    for (int card = 1; card <= kCards; ++card) {
        TableRow row;
        row[column::kId] = std::to_string(card);
        row[column::kSi] = cardNumber(card);
        table.appendRow(row);
    }
    // The window's timer passes keep a memory; single passes from the command line do not.
    std::filesystem::create_directory(race.file("window"));
    std::filesystem::create_directory(race.file("single"));
    const auto memory = makeReadoutMemory();
    LogLines log;
    auto passes = [&] {
        runReadoutPass({.logPath = logPath, .stageFolder = race.file("window/")}, table, Language::English,
                       log, {}, memory.get());
        runReadoutPass({.logPath = logPath, .stageFolder = race.file("single/")}, table, Language::English,
                       log);
    };
    auto written = [&](const std::string& folder, int card) {
        return std::filesystem::exists(race.file(folder + "/" + std::to_string(card) + ".si"));
    };

    std::atomic<bool> writing = true, writerSucceeded = false;
    std::thread writer([&] {
        writerSucceeded = writeCards(logPath);
        writing = false;
    });
    int cardsWithoutFinishWrittenWhileWriting = 0;
    while (writing) {
        passes();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    writer.join();
    ASSERT_TRUE(writerSucceeded);
    for (int card = 7; card <= kCards; card += 7)
        cardsWithoutFinishWrittenWhileWriting += written("window", card);
    // Once the log has been still for a while, every card is complete.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto allWritten = [&] {
        for (int card = 1; card <= kCards; ++card)
            if (!written("window", card) || !written("single", card)) return false;
        return true;
    };
    while (!allWritten() && std::chrono::steady_clock::now() < until) {
        passes();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }

    for (int card = 1; card <= kCards; ++card) {
        std::string expected;
        for (const std::string& line : cardLines(card))
            expected += line + "\r\n";
        for (const char* folder : {"window", "single"}) {
            SCOPED_TRACE(std::string(folder) + " card " + std::to_string(card));
            ASSERT_EQ(readFile(race.file(std::string(folder) + "/" + std::to_string(card) + ".si")),
                      expected);
        }
    }
    // A card without its finish line is written once its lines stood still for two
    // passes and 3 s, while the log still grows.
    EXPECT_GT(cardsWithoutFinishWrittenWhileWriting, 0);
    EXPECT_NE(
        std::find(log.lines().begin(), log.lines().end(),
                  "SI card " + cardNumber(7) + " is still being read; its punch file will be written later."),
        log.lines().end());
}

// The same rule with the clock passed in: while the log keeps growing with other
// cards, a card without its finish line is written once its lines have stood
// still for two passes and 3 s; a pass without memory waits for the log to settle.
TEST(ReadoutCompleteness, ACardWithoutFinishWaitsTwoUnchangedPassesAndThreeSecondsByThePassesClock) {
    TempFolder race;
    const std::string logPath = race.file("log.csv");
    std::filesystem::create_directory(race.file("E1"));
    CompetitorTable table;
    TableRow row;
    row[column::kId] = "7";
    row[column::kSi] = cardNumber(7);
    table.appendRow(row);
    std::string bytes = std::string(kSiLogHeader) + "\r\n";
    for (const std::string& line : cardLines(7)) // card 7 has no finish line
        bytes += line + "\r\n";
    const auto memory = makeReadoutMemory();
    const auto start = std::chrono::system_clock::now() - std::chrono::hours(1);
    struct Pass {
        double seconds;   // since the start: the log is written to then, the pass runs then
        bool fresh;       // a pass without memory
        bool cardWritten; // card 7's punch file exists after the pass
    };
    const Pass passes[] = {
        {0, false, false}, {1, false, false}, {2, false, false}, {2.5, true, false}, {3.5, false, true}};
    int other = 100;
    for (const Pass& pass : passes) {
        SCOPED_TRACE(pass.seconds);
        const auto now = start + std::chrono::milliseconds(static_cast<int>(pass.seconds * 1000));
        for (const std::string& line : cardLines(other++)) // another card is being read meanwhile
            bytes += line + "\r\n";
        ravik::test::writeFile(logPath, bytes);
        std::filesystem::last_write_time(logPath, std::filesystem::file_time_type::clock::from_sys(now));
        ReadoutOptions options;
        options.logPath = logPath;
        options.stageFolder = race.file("E1/");
        options.now = now;
        LogLines log;
        runReadoutPass(options, table, Language::English, log, {}, pass.fresh ? nullptr : memory.get());
        EXPECT_EQ(std::filesystem::exists(race.file("E1/7.si")), pass.cardWritten);
    }
}
