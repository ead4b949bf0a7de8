#pragma once
// What the XML result lists need beyond the table: the answers as punched at
// each control (not collapsed), the start and finish punches, and the
// timed-control answers and station times, read again from the competitor's
// files. Nothing else of the scoring is done.
#include "core/race_record.h"
#include "scoring/stage_result.h"

#include <string>

namespace ravik {

// Fills answer, start, finish, tcAnswer and tcTime of a fresh entry from
// <stage folder><ID>.si and .tc2, matching punches against the class's station
// codes. A row whose ID cell is not a whole number has no files of its own.
// Throws IoError when a file exists but cannot be read.
StageResult readPunchedAnswers(const std::string& stageFolder, const std::string& idCell,
                               const ClassDefinition& definition);

} // namespace ravik
