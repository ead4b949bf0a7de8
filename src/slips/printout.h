#pragma once
// Making the result printout of one competitor: the stage computation of the
// results window in printout mode for the competitor's class, and the printout
// values of every table row bearing the competitor's ID.
#include "core/competitor_table.h"
#include "core/race_record.h"
#include "scoring/results_run.h"
#include "scoring/stage_result.h"
#include "slips/printout_layout.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ravik {

class Session;

// Answer slots (1 to 10) that are not empty, per station, in the class definition.
std::array<int, 20> stationTaskCounts(const ClassDefinition& definition);

// The printout values of one competitor: the scored result, the table row (card
// number and ID) and the definition of the competitor's class (task counts).
PrintoutData printoutDataFrom(const StageResult& result, const TableRow& row,
                              const ClassDefinition& definition);

// The class of the competitor: the class cell of the last row whose ID equals the
// ID; nullopt when no row does (an empty ID matches no row).
std::optional<std::string> competitorClass(const CompetitorTable& table, const std::string& competitorId);

struct PrintoutRequest {
    std::string competitorId; // the selected competitor (code page 1250)
    // The stage (run.scoring.stage) and the results window's scoring options; the
    // class ranked and the printout mode are set by the printout itself.
    ResultsRunOptions run;
};

struct PrintoutOutcome {
    std::vector<PrintoutData> printouts; // one per table row with the ID, table order
};

// Scores the stage in printout mode (the table is written back and saved, no page
// is written) with the competitor's class alone ranked, so the slip's place and
// its "of N" are those in his class, and returns the printout of every row with
// the ID. An ID that matches no row computes and draws nothing. Throws what the
// stage computation throws.
PrintoutOutcome makePrintouts(Session& session, const PrintoutRequest& request);

} // namespace ravik
