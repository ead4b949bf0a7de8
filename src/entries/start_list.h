#pragma once
// The start list of a stage: an HTML page (code page 1250, CR LF) of every
// competitor who starts in the stage, in table order, with his start offset and
// start time of day; written into the stage folder.
#include "core/competitor_table.h"
#include "core/race_record.h"

#include <optional>
#include <string>
#include <vector>

namespace ravik {

class Prompt;
class Session;

// Whole seconds of a start cell: minutes written as digits with at most one
// point or comma, cut to whole seconds; nullopt when the cell is not such a number.
std::optional<long long> startOffsetSeconds(const std::string& cell);

// Start offset text ("02:30") and clock text ("09:02:30") of a start cell.
struct StartTimes {
    std::string offset, clock;
};
// The cell read as minutes (point or comma), cut to whole seconds, after a stage
// start of `stageStartSeconds`; nullopt when the cell is not a number.
std::optional<StartTimes> startTimesOf(const std::string& cell, long long stageStartSeconds);

struct StartListPage {
    std::string html;                // code page 1250, lines ended by CR LF
    std::vector<int> rowsNotNumbers; // competitor rows left out: start cell not a number
};

// The page of stage `stageText` (as the user typed it) from the stage record and
// the table. Texts of cells are HTML-escaped.
StartListPage buildStartListPage(const CompetitorTable& table, const RaceRecord& stage,
                                 const std::string& raceName, const std::string& stageText,
                                 long long stageStartSeconds);

// Button17: asks for the stage, checks it, writes <race folder>E<n>/startlist_E<n>.htm
// and returns its path; nullopt when a check stopped it (log line or message).
// A stage folder that is not there is not made: IoError. raceName is the race
// file's race name (code page 1250).
std::optional<std::string> writeStartList(Session& session, const std::string& raceName, Prompt& prompt);

// The same for a stage answer given directly (the command line).
std::optional<std::string> writeStartListForAnswer(Session& session, const std::string& raceName,
                                                   const std::string& answer, Prompt& prompt);

} // namespace ravik
