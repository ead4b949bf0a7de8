#pragma once
// Relay results as an IOF XML 3.0 result list of team results: the teams of the
// relay page in its order, one member result per leg.
#include "core/competitor_table.h"
#include "core/race_record.h"
#include "scoring/relay_results.h"

#include <string>
#include <vector>

namespace ravik {

struct RelayXmlSource {
    const RelayStanding& standing; // as the relay page ranks it
    const RaceRecord& record;      // the stage (valid date and zero time, see resultListRefusal)
    const CompetitorTable& table;
    const std::vector<std::string>& selectedClasses;
    std::string createTime; // "RRRR-MM-DDTHH:MM:SS+HH:MM"
};

// The document's bytes (UTF-8, CR LF). One class result named by the selected
// classes joined by "+" (the page's one table); a team result per listed team,
// named and numbered by its relay number, with a member result for each of the
// J legs (a leg nobody ran has no person and "DidNotStart"): the leg's race time,
// status, points and class as the course. The last leg carries the team's result:
// its total in seconds as the time, its place when placed, its status and points.
std::string relayResultXml(const RelayXmlSource& source);

} // namespace ravik
