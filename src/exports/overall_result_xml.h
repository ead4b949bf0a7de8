#pragma once
// The overall results as one IOF XML 3.0 result list of a multi-race event: the
// chosen stages are its races, each competitor has one result per stage and,
// with the last stage's, his overall result.
#include "core/competitor_table.h"
#include "core/race_record.h"
#include "exports/overall_results.h"

#include <array>
#include <optional>
#include <string>

namespace ravik {

struct OverallXmlSource {
    const CompetitorTable& table;
    const OverallOptions& options;
    // How each row ended each stage, as the overall run scored them.
    const StageStatusLookup& statusOf;
    // The chosen stages' records (valid dates and zero times, see resultListRefusal).
    const std::array<std::optional<RaceRecord>, kStages>& records;
    std::string createTime; // "RRRR-MM-DDTHH:MM:SS+HH:MM"
};

// The document's bytes (UTF-8, CR LF). One class result named by the selected
// classes joined by "+" (the page's one combined ranking), the competitors in
// the page's order with its places and statuses. A stage result carries the
// stage's status, TC time and points less penalty; a stage without a start offset
// is "NotCompeting". The overall result carries the totals (points as the score,
// TC as the time), the place when he is placed, and the status.
std::string overallResultXml(const OverallXmlSource& source);

} // namespace ravik
