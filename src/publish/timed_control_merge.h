#pragma once
// The merge of the timed-control part files that the race web service collects
// (ID + "_" + station + ".tc2", one answer line each) into the competitor's
// timed-control file ID + ".tc2" in the stage folder, one line per station.
#include "core/competitor_table.h"
#include "core/language.h"
#include "core/log.h"
#include "core/race_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravik {

// Tasks of a cluster: its non-empty slots among the ten.
int clusterTaskCount(const ClassDefinition& definition, int cluster);
// Stations of the stage: the largest number of clusters with a first slot, over the classes.
int stationCount(const RaceRecord& stage);

// "ABC;123;": answers of capital letters A to Z before the first ";", digits after
// it up to the last character.
bool isValidPartLine(std::string_view line);

// The line of a station without a part file: one "-" per task of that cluster in
// the competitor's class (from the table's class column), then ";;".
std::string missingStationLine(const RaceRecord& stage, const CompetitorTable& table, const std::string& id,
                               int station);

// IDs (the name before the first "_") of the part files in the folder, each once, sorted.
std::vector<std::string> competitorsWithPartFiles(const std::string& stageFolder);

// A merged file whose first line ends in "*" was corrected by hand.
bool isCorrectedByHand(const std::string& timedControlPath);

enum class MergeMode {
    CheckedKeepCorrected, // "All": an invalid part line is logged and the merged file kept as it was
    PlainKeepCorrected,   // after "New": every part line as it is, corrected files kept
    Plain,                // "Merge TC_*": every part line as it is, every merged file rewritten
};

// Rewrites the merged file of every competitor with part files in the stage folder.
// Returns the number of competitors whose merge failed (an invalid part line, a file
// that could not be written); each is logged and the others are still merged.
int mergeTimedControlFiles(const std::string& stageFolder, const RaceRecord& stage,
                           const CompetitorTable& table, MergeMode mode, Language language, Log& log);

} // namespace ravik
