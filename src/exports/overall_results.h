#pragma once
// Results over several stages: the totals of the chosen stages, taken from the
// points, TC, Pen and DISK cells of the competitor table, and one combined
// ranking of the selected classes.
#include "core/competitor_record.h"
#include "core/competitor_table.h"
#include "scoring/page_options.h"
#include "scoring/stage_status.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

// The controls of the group "Celkové výsledky" and the page options of the results window.
struct OverallOptions {
    std::array<bool, kStages> stages{}; // ee1 to ee5
    std::vector<std::string> classes;   // selected items of ListBox2 in list order (code page 1250)
    bool completeOnly = true;           // CheckBox9 "jen komplet výsledky": a start offset in every stage
    // nadpis (caption), Edit2, CheckBox7 with Edit5, CheckBox8 with Edit4 (only its
    // spacer: the overall page has no leaders block).
    PageOptions page;
};

struct OverallStanding {
    int row = 0; // competitor table row
    std::int64_t pointsTotal = 0;
    std::int64_t tcTotal = 0;
    // Disqualified: "DISK" in a chosen stage. Otherwise DidNotStart when he did not
    // start a chosen stage he has a start offset in, else DidNotFinish when he did
    // not finish one, else Ok.
    StageStatus status = StageStatus::Ok;
    int place = 0; // 0: not placed, the place cell shows the status
    bool disqualified() const { return status == StageStatus::Disqualified; }
};

// How the competitor of a table row ended a stage (1..5) he has a start offset in.
using StageStatusLookup = std::function<StageStatus(int row, int stage)>;

// The statuses the table alone tells: "DISK", else a stage without points not
// started, else finished.
StageStatusLookup statusesFromCells(const CompetitorTable& table);

// A cell read as a whole number (an optional sign, then digits only, fitting 32 bits).
std::optional<std::int32_t> wholeCellNumber(std::string_view cell);

// The listed competitors in page order with their totals and places: those who
// finished every chosen stage by points total descending, TC total ascending, row
// order; then those who did not start or finish one, in the same order, without a
// place; then the disqualified ones. Equal totals share the place of the
// competitor just before (1, 2, 2, 2, 5). Without `statusOf`, the cells tell.
std::vector<OverallStanding> rankOverall(const CompetitorTable& table, const OverallOptions& options,
                                         const StageStatusLookup& statusOf = {});

} // namespace ravik
