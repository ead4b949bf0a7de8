#pragma once
// The race file: one 16496-byte RaceRecord per stage, no header. Every access
// opens the file, reads or writes, and closes it again.
#include "core/race_record.h"

#include <optional>
#include <string>

namespace ravik {

// Number of whole records; 0 when the file is missing. A trailing partial record is ignored.
int stageCount(const std::string& racePath);

// What a race file whose size is not whole records holds ("... holds 1 whole
// stage; its last 15504 bytes are a stage cut short and are left out"); nullopt
// for a file of whole records (or none).
std::optional<std::string> raceFileCutShort(const std::string& racePath);

// Every change of the race file first asks this: a file cut short inside a stage
// is never written over (the bytes of the cut stage would be lost). Its bytes are
// kept beside it as NAME.ravik.cut-short, and IoError names the problem.
void requireWholeStages(const std::string& racePath);

// Reads stage n (1-based). Throws IoError when the file cannot be read or has no such stage.
RaceRecord readStage(const std::string& racePath, int stage);

// Replaces stage n (1-based, at most stageCount) with the record; the other records
// and any trailing bytes stay as they were. The file is rewritten through a
// temporary file, so a failure leaves the old file whole.
void writeStage(const std::string& racePath, int stage, const RaceRecord& record);

// Creates (or replaces) the file with exactly one record.
void createRaceFile(const std::string& racePath, const RaceRecord& firstStage);

// Appends a record as the last stage.
void appendStage(const std::string& racePath, const RaceRecord& record);

// Keeps only the first `keep` records (used to drop the last stage).
void truncateStages(const std::string& racePath, int keep);

std::string encodeRaceRecord(const RaceRecord& record);

} // namespace ravik
