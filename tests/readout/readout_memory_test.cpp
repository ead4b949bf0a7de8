// A pass that remembers what it read keeps the outcome of a pass that reads the
// whole log anew: the same punch files, the same Memo2, the same log lines but
// for the cautions about unassigned cards, which it logs once per card.
#include "core/competitor_table.h"
#include "core/log.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

std::string punch(const std::string& card, const std::string& code, const std::string& mode,
                  const std::string& time) {
    return "1;" + card + ";" + code + ";" + mode + ";1;6;2023-10-31;" + time + ";5;12;\r\n";
}

bool isCaution(const std::string& line) {
    return line.starts_with("CAUTION! SI card ");
}

std::vector<std::string> withoutCautions(std::vector<std::string> lines) {
    std::erase_if(lines, isCaution);
    return lines;
}

std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path().string());
    return files;
}

// The same log read by a pass with memory and by one without, into two stage folders.
class TwoReaders : public ::testing::Test {
protected:
    TempFolder race;
    std::string logPath = race.file("log.csv");
    CompetitorTable table;
    std::shared_ptr<ReadoutMemory> memory = makeReadoutMemory();
    LogLines rememberingLog, freshLog;

    void SetUp() override {
        std::filesystem::create_directory(race.file("A"));
        std::filesystem::create_directory(race.file("B"));
        for (const auto& [id, si] : {std::pair{"1", "100"}, std::pair{"2", "200"}, std::pair{"3", "300"}}) {
            TableRow row;
            row[column::kId] = id;
            row[column::kSi] = si;
            table.appendRow(row);
        }
    }

    // The station has finished writing what the log holds.
    void passBoth() {
        ravik::test::ageFile(logPath, 10);
        const auto remembering = runReadoutPass({.logPath = logPath, .stageFolder = race.file("A/")}, table,
                                                Language::English, rememberingLog, {}, memory.get());
        const auto fresh = runReadoutPass({.logPath = logPath, .stageFolder = race.file("B/")}, table,
                                          Language::English, freshLog);
        EXPECT_EQ(remembering.newPunchFiles, fresh.newPunchFiles);
        EXPECT_EQ(remembering.unassigned, fresh.unassigned);
        EXPECT_EQ(withoutCautions(rememberingLog.lines()), withoutCautions(freshLog.lines()));
        EXPECT_EQ(filesIn(race.file("A")), filesIn(race.file("B")));
    }
};

} // namespace

TEST_F(TwoReaders, AgreeWhileTheStationAppendsCardsLineByLineAndHalfLines) {
    std::string bytes = std::string(kSiLogHeader) + "\r\n" + punch("100", "1", "STA", "11:58:00") +
                        "junk\r\n" + punch("100", "", " CN", "01:05:10");
    writeFile(logPath, bytes);
    passBoth();
    const std::string card200 = punch("200", "31", " CN", "02:00:00") + punch("200", "2", "FIN", "02:30:00");
    const std::string half = card200.substr(0, 20);
    writeFile(logPath, bytes + half); // the station is writing this line right now
    passBoth();
    bytes += card200;
    writeFile(logPath, bytes);
    passBoth();
    bytes += punch("9", "", "", "10:00:00") + punch("300", "1", "STA", "23:00:00");
    writeFile(logPath, bytes);
    passBoth();
    passBoth();
    EXPECT_EQ(std::count_if(freshLog.lines().begin(), freshLog.lines().end(), isCaution), 2);
    EXPECT_EQ(std::count_if(rememberingLog.lines().begin(), rememberingLog.lines().end(), isCaution), 1);
    EXPECT_EQ(filesIn(race.file("A")).size(), 4u); // 1, 2, 3 and SI9
    EXPECT_EQ(readFile(race.file("A/2.si")), "1;200;31; CN;1;6;2023-10-31;14:00:00;5;12;\r\n"
                                             "1;200;2;FIN;1;6;2023-10-31;14:30:00;5;12;\r\n");
    EXPECT_EQ(readFile(race.file("A/SI9.si")), "1;9;9998;;1;6;2023-10-31;22:00:00;5;12;\r\n");
}

TEST_F(TwoReaders, AgreeWhenTheLogIsReplacedOrCutAndWhenAHeaderLikeLineArrives) {
    writeFile(logPath, std::string(kSiLogHeader) + "\r\n" + punch("100", "", " CN", "10:00:00") +
                           punch("100", "", " CN", "10:01:00"));
    passBoth();
    std::filesystem::remove(race.file("A/1.si"));
    std::filesystem::remove(race.file("B/1.si"));
    writeFile(logPath, std::string(kSiLogHeader) + "\r\n" + punch("100", "", " CN", "10:05:00") +
                           punch("200", "", " CN", "10:06:00"));
    passBoth();
    EXPECT_EQ(readFile(race.file("A/1.si")), "1;100;9999; CN;1;6;2023-10-31;10:05:00;5;12;\r\n");
    writeFile(logPath, readFile(logPath) + "x;SI-Card;\r\n" + punch("300", "1", "STA", "10:00:00"));
    passBoth();
    writeFile(logPath, "short");
    passBoth();
    writeFile(logPath, std::string(kSiLogHeader) + "\r\n" + punch("300", "1", "STA", "10:00:00") +
                           punch("300", "2", "FIN", "10:30:00"));
    passBoth();
    EXPECT_TRUE(std::filesystem::exists(race.file("A/3.si")));
}

TEST_F(TwoReaders, AgreeWhenThePunchFileOfAnOldCardIsDeletedToReadItAgain) {
    writeFile(logPath, std::string(kSiLogHeader) + "\r\n" + punch("100", "1", "STA", "10:00:00") +
                           punch("100", "2", "FIN", "10:30:00"));
    passBoth();
    // The folders have not changed for a while: a pass trusts what it listed.
    ravik::test::ageFile(race.file("A"), 5 * 60);
    ravik::test::ageFile(race.file("B"), 5 * 60);
    passBoth();
    passBoth();
    std::filesystem::remove(race.file("A/1.si"));
    std::filesystem::remove(race.file("B/1.si"));
    passBoth();
    EXPECT_TRUE(std::filesystem::exists(race.file("A/1.si")));
}
