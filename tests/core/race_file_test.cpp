#include "core/byte_io.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ravik;
using ravik::test::TempFolder;

namespace {

std::int32_t int32At(const std::string& bytes, std::size_t offset) {
    std::int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4); // the test machine is little-endian like the files
    return value;
}

// The text of a string field at an offset: the length byte, then the characters.
std::string stringAt(const std::string& bytes, std::size_t offset) {
    return bytes.substr(offset + 1, static_cast<unsigned char>(bytes[offset]));
}

RaceRecord sampleRecord() {
    RaceRecord r;
    r.stage_number = 3;
    r.stage_date = "2024-05-18";
    r.race_name = utf8ToCp1250("Jarní pohár");
    r.stage_place = "Brno";
    r.stage_start = "09:30";
    ClassDefinition& c = r.classes[1]; // slot 2
    c.class_name = "H21 Elite";
    c.cluster_answers[0][0] = "A";
    c.cluster_answers[4][8] = "C";
    c.cluster_answers[19][9] = "X";
    c.cluster_penalty = 60;
    c.control_flags[0] = "A-C";
    c.control_flags[39] = "A";
    c.control_answer[0] = "B";
    c.control_answer[39] = "Z";
    c.answer_codes[0] = {31, 32, 33, 0, 0, 0, 34};
    c.answer_codes[39] = {101, 0, 0, 0, 0, 0, 102};
    c.time_limit = 90;
    c.break1_from_code = 200;
    c.break1_to_code = 201;
    c.break2_from_code = 202;
    c.break2_to_code = 203;
    return r;
}

} // namespace

TEST(RaceRecordLayout, FieldsLieAtTheirOffsets) {
    const std::string bytes = encodeRaceRecord(sampleRecord());
    ASSERT_EQ(bytes.size(), kRaceRecordSize);
    EXPECT_EQ(int32At(bytes, 0), 3);
    EXPECT_EQ(stringAt(bytes, 4), "2024-05-18");
    EXPECT_EQ(stringAt(bytes, 15), "Jarn\xED poh\xE1r"); // code page 1250
    EXPECT_EQ(stringAt(bytes, 116), "Brno");
    EXPECT_EQ(stringAt(bytes, 217), "09:30");

    const std::size_t slot2 = 224 + 1808;
    EXPECT_EQ(stringAt(bytes, slot2), "H21 Elite");
    EXPECT_EQ(stringAt(bytes, slot2 + 21), "A");                          // cluster 1 task 1
    EXPECT_EQ(stringAt(bytes, slot2 + 21 + 4 * 20 + 8 * 2), "C");         // cluster 5 task 9
    EXPECT_EQ(stringAt(bytes, slot2 + 21 + 19 * 20 + 9 * 2), "X");        // cluster 20 switch-off
    EXPECT_EQ(int32At(bytes, slot2 + 424), 60);
    EXPECT_EQ(stringAt(bytes, slot2 + 428), "A-C");
    EXPECT_EQ(stringAt(bytes, slot2 + 428 + 39 * 4), "A");
    EXPECT_EQ(stringAt(bytes, slot2 + 588), "B");
    EXPECT_EQ(stringAt(bytes, slot2 + 588 + 39 * 2), "Z");
    EXPECT_EQ(int32At(bytes, slot2 + 668), 31);
    EXPECT_EQ(int32At(bytes, slot2 + 668 + 6 * 4), 34);
    EXPECT_EQ(int32At(bytes, slot2 + 668 + 39 * 28), 101);
    EXPECT_EQ(int32At(bytes, slot2 + 668 + 39 * 28 + 6 * 4), 102);
    EXPECT_EQ(int32At(bytes, slot2 + 1788), 90);
    EXPECT_EQ(int32At(bytes, slot2 + 1792), 200);
    EXPECT_EQ(int32At(bytes, slot2 + 1796), 201);
    EXPECT_EQ(int32At(bytes, slot2 + 1800), 202);
    EXPECT_EQ(int32At(bytes, slot2 + 1804), 203);
    EXPECT_EQ(stringAt(bytes, 224), "");          // slot 1 unused
    EXPECT_EQ(stringAt(bytes, 224 + 8 * 1808), ""); // slot 9 unused

    ByteReader in(bytes);
    EXPECT_EQ(decodeRaceRecord(in), sampleRecord());
    EXPECT_EQ(in.position(), kRaceRecordSize);
}

TEST(RaceRecordLayout, StringsAreCutToTheirCapacityOnBothSides) {
    RaceRecord r;
    r.stage_date = "2024-05-18xx"; // 12 characters into string[10]
    r.classes[0].class_name = std::string(30, 'K');
    std::string bytes = encodeRaceRecord(r);
    EXPECT_EQ(stringAt(bytes, 4), "2024-05-18");
    EXPECT_EQ(stringAt(bytes, 224).size(), 20u);

    // A length byte beyond the capacity reads as the capacity; bytes after the length are ignored.
    bytes[217] = char(200);
    std::memcpy(&bytes[218], "12:34", 5);
    bytes[116] = 2;
    std::memcpy(&bytes[117], "BrXXXX", 6);
    ByteReader in(bytes);
    const RaceRecord decoded = decodeRaceRecord(in);
    EXPECT_EQ(decoded.stage_start, "12:34");
    EXPECT_EQ(decoded.stage_place, "Br");
}

TEST(RaceFile, CreateAppendReadWriteAndTruncate) {
    TempFolder folder;
    const std::string path = folder.file("Spring.ravik");
    EXPECT_EQ(stageCount(path), 0);

    RaceRecord first;
    first.stage_number = 1;
    createRaceFile(path, first);
    EXPECT_EQ(test::readFile(path).size(), 16496u);
    EXPECT_EQ(stageCount(path), 1);

    for (int stage = 2; stage <= 5; ++stage) {
        RaceRecord r;
        r.stage_number = stage;
        r.stage_place = "Place " + std::to_string(stage);
        appendStage(path, r);
    }
    EXPECT_EQ(stageCount(path), 5);

    // Stage 3 is the bytes from 2 x 16496 up to 3 x 16496.
    const std::string bytes = test::readFile(path);
    EXPECT_EQ(int32At(bytes, 2 * 16496), 3);
    EXPECT_EQ(readStage(path, 3).stage_place, "Place 3");

    RaceRecord changed = readStage(path, 4);
    changed.stage_date = "2024-06-01";
    writeStage(path, 4, changed);
    EXPECT_EQ(readStage(path, 4).stage_date, "2024-06-01");
    EXPECT_EQ(readStage(path, 3).stage_place, "Place 3");
    EXPECT_EQ(readStage(path, 5).stage_place, "Place 5");

    truncateStages(path, 2);
    EXPECT_EQ(stageCount(path), 2);
    EXPECT_THROW(readStage(path, 3), IoError);
    EXPECT_THROW(writeStage(path, 3, changed), IoError);
}

TEST(RaceFile, DamagedFilesReadAsFarAsTheirWholeRecordsGoAndAreNeverWrittenOver) {
    TempFolder folder;
    const std::string path = folder.file("Damaged.ravik");
    test::writeFile(path, "");
    EXPECT_EQ(stageCount(path), 0);
    EXPECT_THROW(readStage(path, 1), IoError);

    // One and a half records of random-looking bytes: one stage, whose strings are cut.
    std::string bytes(16496 + 8000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919 + 13) % 256);
    test::writeFile(path, bytes);
    EXPECT_EQ(stageCount(path), 1);
    const RaceRecord r = readStage(path, 1);
    EXPECT_LE(r.stage_date.size(), 10u);
    EXPECT_LE(r.race_name.size(), 100u);
    for (const auto& c : r.classes) EXPECT_LE(c.class_name.size(), 20u);

    // A file cut short inside a stage is never written over: its bytes are kept beside it.
    EXPECT_THROW(writeStage(path, 1, RaceRecord{}), IoError);
    EXPECT_THROW(appendStage(path, RaceRecord{}), IoError);
    EXPECT_THROW(truncateStages(path, 1), IoError);
    EXPECT_EQ(test::readFile(path), bytes);
    EXPECT_EQ(test::readFile(path + ".cut-short"), bytes);
}

TEST(RaceContextPaths, FoldersFollowFromTheRacePath) {
    RaceContext race;
    EXPECT_FALSE(race.isOpen());
    race.setRacePath("/data/Races/Spring.ravik");
    race.setCurrentStageText("2");
    EXPECT_TRUE(race.isOpen());
    EXPECT_EQ(race.raceFolder(), "/data/Races/");
    EXPECT_EQ(race.competitorFilePath(), "/data/Races/Spring.zavodnici");
    EXPECT_EQ(race.currentStageFolder(), "/data/Races/E2/");
    EXPECT_EQ(race.stageFolder(5), "/data/Races/E5/");
    EXPECT_EQ(race.currentStage(), 2);
    EXPECT_EQ(race.baseName(), "Spring");

    race.setRacePath("/data/Races/Spring.2024.ravik");
    EXPECT_EQ(race.baseName(), "Spring.2024");
    EXPECT_EQ(race.competitorFilePath(), "/data/Races/Spring.2024.zavodnici");
    race.setCurrentStageText("2x");
    EXPECT_EQ(race.currentStage(), 0);
    EXPECT_EQ(race.currentStageFolder(), "/data/Races/E2x/");
}
