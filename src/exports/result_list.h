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
    std::string createTime; // "RRRR-MM-DDTHH:MM:SS+01:00"
};

// The rows of the class listed, in list order: TempO those with T >= 1 by T
// ascending; PreO those with 100 × P − T >= 1 by that key descending; both only
// with a start cell, then table order.
std::vector<int> listedRows(const CompetitorTable& table, int stage, const std::string& className,
                            ResultListKind kind);

// Every line of the document in UTF-8, without line ends. The record's date and
// zero time must be valid (see resultListRefusal).
std::vector<std::string> resultListLines(const ResultListSource& source);

} // namespace ravik
