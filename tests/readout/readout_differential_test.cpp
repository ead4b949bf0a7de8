// A pass that remembers where it stopped gives, after any change of the log, the
// table or the stage folder, what a pass reading the whole log gives: the same
// punch files byte for byte, the same Memo2, the same log lines but for the
// cautions about unassigned cards (logged once per card, a subset of the fresh
// pass's). Random changes, seeded, so that a failure is reproducible.
#include "core/competitor_table.h"
#include "core/log.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::system_clock;

bool isCaution(const std::string& line) {
    return line.starts_with("CAUTION! SI card ");
}

std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

class RandomRace {
public:
    explicit RandomRace(unsigned seed) : random_(seed) {
        fs::create_directory(race_.file("remembering"));
        fs::create_directory(race_.file("fresh"));
        for (int id = 1; id <= 4; ++id)
            addCompetitor(std::to_string(id), std::to_string(100 * id));
        writeLog(std::string(kSiLogHeader) + "\r\n", false);
    }

    // One random change, then a pass of each reader; false when they disagree.
    void step(int number) {
        step_ = number;
        const int choice = pick(100);
        if (choice < 30)
            appendCard();
        else if (choice < 45)
            appendPiece();
        else if (choice < 50)
            cutLog();
        else if (choice < 54)
            replaceLog();
        else if (choice < 58)
            rewriteLogInPlace();
        else if (choice < 64)
            deletePunchFile();
        else if (choice < 68)
            changeTable();
        else if (choice < 70)
            options_.rewriteDate = !options_.rewriteDate;
        passBoth();
    }

private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    std::string logPath() const { return race_.file("log.csv"); }
    Clock::time_point changedAt() const { return start_ + std::chrono::milliseconds(step_); }

    void addCompetitor(const std::string& id, const std::string& card) {
        TableRow row;
        row[column::kId] = id;
        row[column::kSi] = card;
        table_.appendRow(row);
    }

    // Cards 100 to 400 belong to competitors 1 to 4; 500 to 800 to nobody at first.
    std::string cardLines() {
        const std::string card = std::to_string(100 * (1 + pick(8)));
        std::string lines;
        auto line = [&](const std::string& code, const std::string& mode, int hour) {
            const std::string time = pick(30) == 0 ? "" : twoDigits(hour) + ":" + twoDigits(pick(60)) + ":00";
            lines += std::to_string(pick(3)) + ";" + card + ";" + code + ";" + mode + ";1;6;2023-10-31;" +
                     time + ";" + std::to_string(pick(50)) + ";12;\r\n";
        };
        if (pick(4) != 0) line("1", "STA", 10 + pick(3));
        for (int i = pick(6); i > 0; --i) {
            const int code = pick(10);
            line(code == 0 ? "" : std::to_string(30 + code), pick(15) == 0 ? "CN" : " CN", pick(14));
        }
        if (pick(10) < 7) line("2", "FIN", 12);
        if (pick(25) == 0) lines += "junk;\r\n";
        if (pick(30) == 0) lines += std::string(kSiLogHeader) + "\r\n";
        if (pick(150) == 0) lines += "x;SI-Card;\r\n";
        return lines;
    }

    void writeLog(const std::string& bytes, bool inPlace) {
        if (inPlace) {
            writeInto("wb", bytes); // the same file, emptied first
        } else {
            ravik::test::writeFile(logPath() + ".new", bytes);
            fs::rename(logPath() + ".new", logPath());
        }
        log_ = bytes;
        touched();
    }
    void writeInto(const char* mode, const std::string& bytes) {
        std::FILE* file = std::fopen(logPath().c_str(), mode);
        ASSERT_NE(file, nullptr);
        const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        ASSERT_EQ(written, bytes.size());
    }
    void append(const std::string& bytes) {
        writeInto("ab", bytes);
        log_ += bytes;
        touched();
    }
    void touched() { fs::last_write_time(logPath(), fs::file_time_type::clock::from_sys(changedAt())); }

    void appendCard() {
        if (!unwritten_.empty()) return appendPiece();
        append(cardLines());
    }
    // The read-out software writes a card in pieces, cut anywhere.
    void appendPiece() {
        if (unwritten_.empty()) unwritten_ = cardLines();
        const std::size_t length = 1 + static_cast<std::size_t>(pick(static_cast<int>(unwritten_.size())));
        append(unwritten_.substr(0, length));
        unwritten_.erase(0, length);
    }
    void cutLog() {
        const std::size_t length = static_cast<std::size_t>(pick(static_cast<int>(log_.size()) + 1));
        fs::resize_file(logPath(), length);
        log_.resize(length);
        unwritten_.clear();
        touched();
    }
    // A new file under the log's name: now and then another log altogether.
    void replaceLog() {
        unwritten_.clear();
        if (pick(3) == 0) return writeLog(std::string(kSiLogHeader) + "\r\n" + cardLines(), false);
        writeLog(log_, false);
    }
    // The same file written again with one line left out or one digit changed.
    void rewriteLogInPlace() {
        unwritten_.clear();
        std::string bytes = log_;
        const std::size_t at = static_cast<std::size_t>(pick(static_cast<int>(bytes.size()) + 1));
        if (pick(2) == 0) {
            const std::size_t begin = bytes.rfind('\n', at == 0 ? 0 : at - 1);
            const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
            const std::size_t end = bytes.find('\n', from);
            bytes.erase(from, end == std::string::npos ? std::string::npos : end + 1 - from);
        } else if (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '8') {
            ++bytes[at];
        }
        writeLog(bytes, true);
    }
    void deletePunchFile() {
        const auto files = filesIn(race_.file("fresh"));
        if (files.empty()) return;
        auto it = files.begin();
        std::advance(it, pick(static_cast<int>(files.size())));
        fs::remove(race_.file("fresh/" + it->first));
        fs::remove(race_.file("remembering/" + it->first));
    }
    // A card given to a new competitor, or taken from one.
    void changeTable() {
        const int row = 1 + pick(table_.rowCount() - 1);
        if (pick(2) == 0)
            addCompetitor(std::to_string(table_.rowCount() + 10), std::to_string(100 * (1 + pick(8))));
        else
            table_.setCell(row, column::kSi, pick(3) == 0 ? "" : std::to_string(100 * (1 + pick(8))));
    }

    void passBoth() {
        // The log stood still long enough, or it is being written right now.
        options_.now = changedAt() + std::chrono::seconds(pick(2) == 0 ? 10 : 0);
        LogLines rememberingLog, freshLog;
        std::vector<std::string> rememberingPrinted, freshPrinted;
        options_.stageFolder = race_.file("remembering/");
        const ReadoutPassResult remembering = runReadoutPass(
            options_, table_, Language::English, rememberingLog,
            [&](const std::string& id) { rememberingPrinted.push_back(id); }, memory_.get());
        options_.stageFolder = race_.file("fresh/");
        const ReadoutPassResult fresh =
            runReadoutPass(options_, table_, Language::English, freshLog,
                           [&](const std::string& id) { freshPrinted.push_back(id); });
        SCOPED_TRACE("step " + std::to_string(step_));
        EXPECT_EQ(remembering.newPunchFiles, fresh.newPunchFiles);
        EXPECT_EQ(rememberingPrinted, freshPrinted);
        EXPECT_EQ(remembering.unassigned, fresh.unassigned);
        EXPECT_EQ(remembering.replaceMemo2, fresh.replaceMemo2);
        EXPECT_EQ(remembering.writeFailed, fresh.writeFailed);
        EXPECT_EQ(remembering.cardsBeingRead, fresh.cardsBeingRead);
        std::vector<std::string> rememberingLines = rememberingLog.lines(), freshLines = freshLog.lines();
        for (const std::string& line : rememberingLines)
            if (isCaution(line))
                EXPECT_NE(std::find(freshLines.begin(), freshLines.end(), line), freshLines.end());
        std::erase_if(rememberingLines, isCaution);
        std::erase_if(freshLines, isCaution);
        EXPECT_EQ(rememberingLines, freshLines);
        EXPECT_EQ(filesIn(race_.file("remembering")), filesIn(race_.file("fresh")));
    }

    std::mt19937 random_;
    TempFolder race_;
    CompetitorTable table_;
    ReadoutOptions options_ = [this] {
        ReadoutOptions options;
        options.logPath = race_.file("log.csv");
        options.raceDate = "2023-11-01";
        return options;
    }();
    std::shared_ptr<ReadoutMemory> memory_ = makeReadoutMemory();
    std::string log_, unwritten_;
    const Clock::time_point start_ = Clock::now() - std::chrono::hours(1);
    int step_ = 0;
};

} // namespace

TEST(ReadoutDifferential, ARememberingPassAgreesWithAFreshPassAfterEveryRandomChange) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomRace race(seed);
        for (int step = 1; step <= 300 && !::testing::Test::HasFailure(); ++step)
            race.step(step);
    }
}
