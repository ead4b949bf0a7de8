#include "core/race_file.h"

#include "core/byte_io.h"
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

RaceRecord readStage(const std::string& racePath, int stage) {
    const std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    if (stage < 1 || static_cast<std::size_t>(stage) > whole)
        throw IoError("Stage " + std::to_string(stage) + " is not in the race file " + racePath);
    ByteReader in(bytes.data() + (stage - 1) * kRaceRecordSize, kRaceRecordSize);
    return decodeRaceRecord(in);
}

void writeStage(const std::string& racePath, int stage, const RaceRecord& record) {
    std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    if (stage < 1 || static_cast<std::size_t>(stage) > whole)
        throw IoError("Stage " + std::to_string(stage) + " is not in the race file " + racePath);
    bytes.replace((stage - 1) * kRaceRecordSize, kRaceRecordSize, encodeRaceRecord(record));
    writeFileAtomically(racePath, bytes);
}

void createRaceFile(const std::string& racePath, const RaceRecord& firstStage) {
    writeFileAtomically(racePath, encodeRaceRecord(firstStage));
}

void appendStage(const std::string& racePath, const RaceRecord& record) {
    std::string bytes = readRaceBytes(racePath);
    bytes.resize(bytes.size() / kRaceRecordSize * kRaceRecordSize);
    bytes += encodeRaceRecord(record);
    writeFileAtomically(racePath, bytes);
}

void truncateStages(const std::string& racePath, int keep) {
    std::string bytes = readRaceBytes(racePath);
    const std::size_t whole = bytes.size() / kRaceRecordSize;
    const std::size_t kept = std::min<std::size_t>(whole, static_cast<std::size_t>(std::max(keep, 0)));
    bytes.resize(kept * kRaceRecordSize);
    writeFileAtomically(racePath, bytes);
}

} // namespace ravik
