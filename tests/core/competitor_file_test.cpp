#include "core/byte_io.h"
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace ravik;
using ravik::test::TempFolder;

namespace {

std::int32_t int32At(const std::string& bytes, std::size_t offset) {
    std::int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}
float floatAt(const std::string& bytes, std::size_t offset) {
    float value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}
std::string stringAt(const std::string& bytes, std::size_t offset) {
    return bytes.substr(offset + 1, static_cast<unsigned char>(bytes[offset]));
}

CompetitorRecord sampleCompetitor(int id) {
    CompetitorRecord r;
    r.competitor_id = id;
    r.registration = "ABC1234";
    r.competitor_class = "H21";
    r.si_card = 2045117;
    r.competitor_name = utf8ToCp1250("Novák Jan");
    r.nation = "CZE";
    r.relay_number = 7;
    r.start_offset = {12.5f, 12.1f, -1.0f, 0.0f, 3.0f};
    r.stage_points = {18, -1, 20, -1, -1};
    r.stage_tc_time = {245, -1, 0, -1, -1};
    r.disqualified = {0, 1, 0, 0, 0};
    return r;
}

std::string encodeRecords(const std::vector<CompetitorRecord>& records, bool legacy = false) {
    std::string bytes;
    for (const auto& record : records) {
        ByteWriter out;
        encode(record, out);
        bytes.append(out.bytes().data(), legacy ? 212 : 220);
    }
    return bytes;
}

// A table with n empty competitor rows.
CompetitorTable tableWithRows(int n) {
    CompetitorTable table;
    table.setRowCount(n + 1);
    return table;
}

} // namespace

TEST(CompetitorRecordLayout, FieldsLieAtTheirOffsets) {
    const std::string bytes = encodeRecords({sampleCompetitor(12)});
    ASSERT_EQ(bytes.size(), 220u);
    EXPECT_EQ(int32At(bytes, 0), 12);
    EXPECT_EQ(stringAt(bytes, 4), "ABC1234");
    EXPECT_EQ(stringAt(bytes, 12), "H21");
    EXPECT_EQ(int32At(bytes, 36), 2045117);
    EXPECT_EQ(stringAt(bytes, 40), "Nov\xE1k Jan");
    EXPECT_EQ(stringAt(bytes, 141), "CZE");
    EXPECT_EQ(int32At(bytes, 148), 7);
    EXPECT_EQ(floatAt(bytes, 152), 12.5f);
    EXPECT_EQ(floatAt(bytes, 156), 12.1f);
    EXPECT_EQ(floatAt(bytes, 160), -1.0f);
    EXPECT_EQ(int32At(bytes, 172), 18);  // stage 1 points
    EXPECT_EQ(int32At(bytes, 176), 245); // stage 1 TC
    EXPECT_EQ(int32At(bytes, 172 + 2 * 8), 20);
    EXPECT_EQ(int32At(bytes, 176 + 8), -1);
    EXPECT_EQ(bytes[212], 0);
    EXPECT_EQ(bytes[213], 1); // stage 2 disqualified
}

TEST(CompetitorFileLoad, RecognisesTheLayoutBySize) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    std::vector<CompetitorRecord> ten;
    for (int i = 1; i <= 10; ++i)
        ten.push_back(sampleCompetitor(i));

    test::writeFile(path, encodeRecords(ten));
    CompetitorTable table;
    auto outcome = loadCompetitorTable(path, table);
    EXPECT_EQ(outcome.state, CompetitorFileState::Loaded);
    EXPECT_EQ(table.rowCount(), 11);
    EXPECT_EQ(table.cell(10, column::kId), "10");
    EXPECT_EQ(table.cell(2, column::disqualified(2)), "DISK");

    // 2120 bytes: ten records of the earlier layout, no disqualification.
    test::writeFile(path, encodeRecords(ten, true));
    outcome = loadCompetitorTable(path, table);
    EXPECT_TRUE(outcome.legacyLayout);
    EXPECT_EQ(table.rowCount(), 11);
    EXPECT_EQ(table.cell(3, column::kName), "Nov\xE1k Jan");
    EXPECT_EQ(table.cell(3, column::disqualified(2)), "");
    EXPECT_EQ(table.cell(3, column::points(3)), "20");

    // 1000 bytes: not loaded; heading and one empty row.
    test::writeFile(path, std::string(1000, 'x'));
    outcome = loadCompetitorTable(path, table);
    EXPECT_EQ(outcome.state, CompetitorFileState::NotRecognised);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(1, column::kName), "");

    // Missing or empty file: one empty competitor row.
    outcome = loadCompetitorTable(folder.file("none.zavodnici"), table);
    EXPECT_EQ(outcome.state, CompetitorFileState::Missing);
    EXPECT_EQ(table.rowCount(), 2);
    test::writeFile(path, "");
    loadCompetitorTable(path, table);
    EXPECT_EQ(table.rowCount(), 2);
}

TEST(CompetitorFileLoad, CellsShowTheStoredValues) {
    const TableRow row = rowFromRecord(sampleCompetitor(12));
    EXPECT_EQ(row[column::kId], "12");
    EXPECT_EQ(row[column::kSi], "2045117");
    EXPECT_EQ(row[column::kRelay], "7");
    EXPECT_EQ(row[column::start(1)], "12.5");
    EXPECT_EQ(row[column::start(2)], "12.1000003814697");
    EXPECT_EQ(row[column::start(3)], "");
    EXPECT_EQ(row[column::start(4)], "0");
    EXPECT_EQ(row[column::points(1)], "18");
    EXPECT_EQ(row[column::tc(1)], "245");
    EXPECT_EQ(row[column::points(2)], "");
    EXPECT_EQ(row[column::penalty(1)], "");
    EXPECT_EQ(row[column::disqualified(2)], "DISK");

    const TableRow empty = rowFromRecord(CompetitorRecord{});
    for (const auto& cell : empty)
        EXPECT_EQ(cell, "");
}

TEST(CompetitorFileSave, ChecksCellsAndLogsEachFailure) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    CompetitorTable table = tableWithRows(3);
    table.setCell(1, column::kId, "1");
    table.setCell(1, column::start(1), "12,5");
    table.setCell(1, column::disqualified(1), "disk");
    table.setCell(1, column::disqualified(3), "DISK");
    table.setCell(1, column::kName, std::string(120, 'N'));
    table.setCell(2, column::kId, "x2");
    table.setCell(3, column::kSi, "12a4");
    table.setCell(3, column::kRelay, "r");
    table.setCell(3, column::start(2), "1:5");
    table.setCell(3, column::start(5), "abc");
    table.setCell(3, column::points(1), "12.5"); // digits and a point in a whole-number cell: its whole part

    LogLines log;
    saveCompetitorTable(path, table, log);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "!!! On row 2 there is no ID number!",
                               "!!! On row 3 there is no SI číslo!",
                               "!!! On row 3 there is no Relay number!",
                               "!!! On row 3 there is no Start time!",
                               "!!! On row 3 there is no Start time!",
                           }));
    EXPECT_EQ(table.cell(1, column::start(1)), "12.5"); // the comma became a point in the cell too

    const std::string bytes = test::readFile(path);
    ASSERT_EQ(bytes.size(), 3 * 220u);
    EXPECT_EQ(floatAt(bytes, 152), 12.5f);
    EXPECT_EQ(bytes[212], 0); // "disk" is no disqualification
    EXPECT_EQ(bytes[214], 1);
    EXPECT_EQ(stringAt(bytes, 40).size(), 100u);
    EXPECT_EQ(int32At(bytes, 220), -1);          // row 2 ID stored as empty
    EXPECT_EQ(int32At(bytes, 440 + 36), -1);     // row 3 SI
    EXPECT_EQ(int32At(bytes, 440 + 148), -1);    // row 3 relay
    EXPECT_EQ(floatAt(bytes, 440 + 156), -1.0f); // row 3 start 2
    EXPECT_EQ(int32At(bytes, 440 + 172), 12);    // row 3 E1 pts

    CompetitorTable reloaded;
    loadCompetitorTable(path, reloaded);
    EXPECT_EQ(reloaded.cell(1, column::start(1)), "12.5");
    EXPECT_EQ(reloaded.cell(1, column::disqualified(3)), "DISK");
    EXPECT_EQ(reloaded.cell(3, column::points(1)), "12");
}

TEST(CompetitorFileSave, OneEmptyRowSavesOneRecordOfEmptyValues) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    CompetitorTable table = tableWithRows(1);
    LogLines log;
    saveCompetitorTable(path, table, log);
    EXPECT_TRUE(log.lines().empty());
    const std::string bytes = test::readFile(path);
    ASSERT_EQ(bytes.size(), 220u);
    ByteReader in(bytes);
    EXPECT_EQ(decodeCompetitorRecord(in), CompetitorRecord{});
}

TEST(CompetitorFileSave, RoundTripsEveryField) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    std::vector<CompetitorRecord> records{sampleCompetitor(1), sampleCompetitor(2), CompetitorRecord{}};
    test::writeFile(path, encodeRecords(records));
    CompetitorTable table;
    loadCompetitorTable(path, table);
    LogLines log;
    saveCompetitorTable(path, table, log);
    EXPECT_EQ(readCompetitorRecords(path), records);
}

#ifndef _WIN32
// A save that fails halfway (the file-size limit stops the write) leaves the old
// competitor file whole and no temporary file behind. POSIX only: a child process
// under a file-size limit (rlimit).
TEST(CompetitorFileSave, AFailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    std::vector<CompetitorRecord> old{sampleCompetitor(1), sampleCompetitor(2)};
    test::writeFile(path, encodeRecords(old));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10 * 220, 10 * 220}; // room for ten records, the table has 1500
        setrlimit(RLIMIT_FSIZE, &limit);
        CompetitorTable big;
        for (int i = 0; i < 1500; ++i)
            big.appendRow(rowFromRecord(sampleCompetitor(i)));
        LogLines log;
        try {
            saveCompetitorTable(path, big, log);
        } catch (const IoError&) {
            _exit(42);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 42) << "the failed write must be reported";
    EXPECT_EQ(readCompetitorRecords(path), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1);
}
#endif

// The files beside the competitor file that hold its original bytes.
std::vector<std::string> keptOriginals(const std::string& path) {
    std::vector<std::string> kept;
    const std::string prefix = std::filesystem::path(path).filename().string() + ".orig-";
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            kept.push_back(entry.path().generic_string());
    return kept;
}

TEST(CompetitorFileSave, AFileNotOfTheCurrentLayoutIsKeptBesideBeforeTheFirstSaveAndNeverEmptied) {
    std::string notRecords(212 * 60, '\0');
    for (std::size_t i = 0; i < notRecords.size(); ++i)
        notRecords[i] = static_cast<char>(i * 7 % 256);
    const struct {
        const char* what;
        std::string bytes;
        bool recognised;
        std::string message = "";
    } cases[] = {
        {"a size of neither layout", std::string(1000, 'x'), false, "nemá známý formát"},
        {"212-byte blocks that are no records", notRecords, false, "má poškozené záznamy"},
        {"records of the earlier layout", encodeRecords({sampleCompetitor(5), sampleCompetitor(3)}, true),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        Session session;
        session.race.setRacePath(folder.file("Race.ravik"));
        const std::string path = session.race.competitorFilePath();
        test::writeFile(path, c.bytes);
        session.loadCompetitors();
        EXPECT_EQ(session.competitorFileNotRecognised(), !c.recognised);
        if (!c.recognised) {
            EXPECT_EQ(session.table.rowCount(), 2);
            EXPECT_EQ(session.log.lastLine(), "Soubor závodníků " + c.message + " a nebyl načten: " + path);
            // An empty table never replaces what could not be read.
            EXPECT_THROW(session.saveCompetitors(), IoError);
            EXPECT_EQ(test::readFile(path), c.bytes);
            EXPECT_TRUE(keptOriginals(path).empty());
            session.table.setCell(1, column::kName, "New");
        } else {
            EXPECT_EQ(session.table.cell(2, column::kId), "3");
        }
        session.saveCompetitors();
        const auto kept = keptOriginals(path);
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(test::readFile(kept[0]), c.bytes);
        EXPECT_NE(std::find(session.log.lines().begin(), session.log.lines().end(),
                            "Původní soubor závodníků byl uschován jako " + kept[0]),
                  session.log.lines().end());
        EXPECT_EQ(std::filesystem::file_size(path) % 220, 0u);
        // Later saves replace the file as usual.
        session.saveCompetitors();
        EXPECT_EQ(keptOriginals(path).size(), 1u);
    }
}

// 11660 bytes are 53 records of 220 bytes and 55 of 212: the records tell which.
TEST(CompetitorFileLoad, ASizeOfBothLayoutsIsReadInTheLayoutWhoseRecordsAreSoundOrNotAtAll) {
    std::vector<CompetitorRecord> fiftyFive;
    for (int id = 1; id <= 55; ++id)
        fiftyFive.push_back(sampleCompetitor(id));
    const std::vector<CompetitorRecord> fiftyThree(fiftyFive.begin(), fiftyFive.begin() + 53);
    std::string neither(11660, '\0');
    for (std::size_t i = 0; i < neither.size(); ++i)
        neither[i] = static_cast<char>(i * 7 % 256);
    const struct {
        const char* what;
        std::string bytes;
        int records;              // 0: not recognised
        bool legacy = false;      // read as 212-byte records
        std::string message = ""; // the log line before the path when not recognised
    } cases[] = {
        {"55 records of the earlier layout", encodeRecords(fiftyFive, true), 55, true},
        {"53 records of the current layout", encodeRecords(fiftyThree), 53},
        {"neither", neither, 0, false, "Soubor závodníků má poškozené záznamy a nebyl načten: "},
        {"both", std::string(11660, '\0'), 0, false,
         "Soubor závodníků lze číst jako záznamy po 220 i po 212 bajtech a nebyl načten: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.bytes.size(), 11660u);
        TempFolder folder;
        Session session;
        session.race.setRacePath(folder.file("Race.ravik"));
        const std::string path = session.race.competitorFilePath();
        test::writeFile(path, c.bytes);
        session.loadCompetitors();
        EXPECT_EQ(session.competitorFileNotRecognised(), c.records == 0);
        if (c.records == 0) {
            EXPECT_EQ(session.log.lastLine(), c.message + path);
            EXPECT_EQ(session.table.rowCount(), 2);
            EXPECT_THROW(session.saveCompetitors(), IoError);
            EXPECT_EQ(test::readFile(path), c.bytes);
            session.table.setCell(1, column::kName, "New");
        } else {
            ASSERT_EQ(session.table.rowCount(), c.records + 1);
            EXPECT_EQ(session.table.cell(c.records, column::kId), std::to_string(c.records));
            EXPECT_EQ(session.table.cell(1, column::kName), "Nov\xE1k Jan");
            EXPECT_EQ(session.table.cell(1, column::start(1)), "12.5");
            EXPECT_EQ(session.table.cell(1, column::disqualified(2)), c.legacy ? "" : "DISK");
        }
        session.saveCompetitors();
        // What was not read in the current layout survives the save beside it.
        const auto kept = keptOriginals(path);
        ASSERT_EQ(kept.size(), c.legacy || c.records == 0 ? 1u : 0u);
        if (!kept.empty()) {
            EXPECT_EQ(test::readFile(kept[0]), c.bytes);
        }
        EXPECT_EQ(readCompetitorRecords(path).size(), c.records == 0 ? 1u : std::size_t(c.records));
    }
}

// A text length above its field's capacity shows the record was not written by the
// program: the file is not loaded (a read-out would match the class to nothing).
TEST(CompetitorFileLoad, ALengthByteAboveTheFieldsCapacityMakesTheFileDamaged) {
    for (const bool legacy : {false, true}) {
        SCOPED_TRACE(legacy ? "212-byte records" : "220-byte records");
        std::string bytes = encodeRecords({sampleCompetitor(1), sampleCompetitor(2)}, legacy);
        const std::size_t classField = (legacy ? 212 : 220) + 12;
        bytes.replace(classField, 21, "\x19Paralympic          ");
        TempFolder folder;
        const std::string path = folder.file("Race.zavodnici");
        test::writeFile(path, bytes);
        CompetitorTable table;
        const CompetitorFileLoad outcome = loadCompetitorTable(path, table);
        EXPECT_EQ(outcome.state, CompetitorFileState::NotRecognised);
        EXPECT_EQ(outcome.problem, CompetitorFileProblem::DamagedRecords);
        EXPECT_EQ(table.rowCount(), 2);
        EXPECT_EQ(table.cell(1, column::kClass), "");
        EXPECT_TRUE(readIdsAndNames(path).empty());
    }
}

TEST(CompetitorFileRead, IdsAndNamesInFileOrder) {
    TempFolder folder;
    const std::string path = folder.file("Race.zavodnici");
    test::writeFile(path, encodeRecords({sampleCompetitor(5), sampleCompetitor(3)}));
    const auto list = readIdsAndNames(path);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].id, 5);
    EXPECT_EQ(list[1].id, 3);
    EXPECT_EQ(list[1].name, "Nov\xE1k Jan");
}
