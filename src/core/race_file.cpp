#include "core/race_file.h"

#include "core/byte_io.h"
#include "core/class_rules_file.h"
#include "core/errors.h"
#include "core/file_io.h"

namespace ravik {
namespace {

// A race file never needs more than a handful of records; anything far larger
// is not a race file and is not read into memory whole.
constexpr std::int64_t kMaxRaceFileBytes = 64LL * 1024 * 1024;

std::string readRaceBytes(const std::string& racePath) {
    return readWholeFile(racePath, kMaxRaceFileBytes);
}

} // namespace

std::string encodeRaceRecord(const RaceRecord& record) {
    ByteWriter out;
    encode(record, out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

int stageCount(const std::string& racePath) {
    const std::int64_t size = fileSize(racePath);
    if (size <= 0) return 0;
    return static_cast<int>(size / static_cast<std::int64_t>(kRaceRecordSize));
}

std::optional<std::string> raceFileCutShort(const std::string& racePath) {
    const std::int64_t size = fileSize(racePath);
    const std::int64_t record = static_cast<std::int64_t>(kRaceRecordSize);
    if (size <= 0 || size % record == 0) return std::nullopt;
    const std::int64_t whole = size / record;
    return "The race file " + racePath + " holds " + std::to_string(whole) +
           (whole == 1 ? " whole stage" : " whole stages") + "; its last " + std::to_string(size % record) +
           " bytes are a stage cut short and are left out";
}

void requireWholeStages(const std::string& racePath) {
    const auto cutShort = raceFileCutShort(racePath);
    if (!cutShort) return;
    const std::string copy = racePath + ".cut-short";
    writeFileAtomically(copy, readRaceBytes(racePath));
    throw IoError(*cutShort + ". It was not changed; its bytes are kept as " + copy + ".");
}

RaceRecord readStage(const std::string& racePath, int stage) {
    const std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    if (stage < 1 || static_cast<std::size_t>(stage) > whole)
        throw IoError("Stage " + std::to_string(stage) + " is not in the race file " + racePath);
    ByteReader in(bytes.data() + (stage - 1) * kRaceRecordSize, kRaceRecordSize);
    RaceRecord record = decodeRaceRecord(in);
    // What the layout has no room for comes from the race's own Ravik file.
    const StageClassRules rules = classRulesOf(readClassRulesFile(racePath), record, stage);
    for (int slot = 0; slot < kClassSlots; ++slot)
        record.classes[slot].rules = rules[slot];
    return record;
}

void writeStage(const std::string& racePath, int stage, const RaceRecord& record) {
    requireWholeStages(racePath);
    std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    if (stage < 1 || static_cast<std::size_t>(stage) > whole)
        throw IoError("Stage " + std::to_string(stage) + " is not in the race file " + racePath);
    bytes.replace((stage - 1) * kRaceRecordSize, kRaceRecordSize, encodeRaceRecord(record));
    writeFileAtomically(racePath, bytes);
    storeClassRules(racePath, stage, record);
}

void createRaceFile(const std::string& racePath, const RaceRecord& firstStage) {
    writeFileAtomically(racePath, encodeRaceRecord(firstStage));
    dropClassRulesAfter(racePath, 0);
    storeClassRules(racePath, 1, firstStage);
}

void appendStage(const std::string& racePath, const RaceRecord& record) {
    requireWholeStages(racePath);
    std::string bytes = readRaceBytes(racePath);
    bytes.resize(bytes.size() / kRaceRecordSize * kRaceRecordSize);
    const int stage = static_cast<int>(bytes.size() / kRaceRecordSize) + 1;
    bytes += encodeRaceRecord(record);
    writeFileAtomically(racePath, bytes);
    storeClassRules(racePath, stage, record);
}

void truncateStages(const std::string& racePath, int keep) {
    requireWholeStages(racePath);
    std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    const std::size_t kept = std::min<std::size_t>(whole, static_cast<std::size_t>(std::max(keep, 0)));
    bytes.resize(kept * kRaceRecordSize);
    writeFileAtomically(racePath, bytes);
    dropClassRulesAfter(racePath, static_cast<int>(kept));
}

} // namespace ravik
