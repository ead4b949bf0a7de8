#pragma once
// The IOF XML 3.0 result list of one stage, in two variants: TempO, ranked by
// the timed-control time, and PreO, ranked by points and timed-control time and
// carrying the score and the answer of every control.
#include "core/competitor_table.h"
#include "core/race_record.h"

#include <string>
#include <vector>

namespace ravik {

enum class ResultListKind { TempO, PreO };

struct ResultListSource {
    const RaceRecord& record; // the stage: date, zero time, race name, class slots
    const CompetitorTable& table;
    std::string stageFolder; // punch and timed-control files
    int stage = 1;
    ResultListKind kind = ResultListKind::TempO;
    std::string createTime; // "RRRR-MM-DDTHH:MM:SS+HH:MM"
};

// Every line of the document in UTF-8, without line ends. The record's date and
// zero time must be valid (see resultListRefusal).
//
// Per class, of the rows that start in the stage: first the placed ones (status
// OK), TempO those with TC >= 1 by TC ascending, PreO those with points by net
// score (the points cell less the over-time penalty his files give) descending and TC ascending, equal ones
// sharing a position as on the stage page (only TempO gives a time behind); then without position the
// disqualified ("DISK" cell), those who did not finish and, once the stage has been scored, those who did not
// start (the files tell, as in the scoring). Then table order.
//
// Answers: PreO one per control of the class, then both variants one per task of
// each station that is not switched off, the station's time on its last task.
std::vector<std::string> resultListLines(const ResultListSource& source);

} // namespace ravik
