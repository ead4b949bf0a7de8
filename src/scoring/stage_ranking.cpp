#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/log.h"
#include "scoring/class_lookup.h"
#include "scoring/stage_scoring.h"

#include <algorithm>

namespace ravik {

namespace {

// More net points first; of equal net points the shorter total time.
bool keyBefore(std::int32_t net, std::int32_t total, std::int32_t otherNet, std::int32_t otherTotal) {
    return net != otherNet ? net > otherNet : total < otherTotal;
}

} // namespace

bool rankedBefore(const StageResult& a, const StageResult& b) {
    return keyBefore(a.netScore(), a.total, b.netScore(), b.total);
}

void rankResults(std::vector<StageResult>& results, const ScoringOptions& options, Log& log) {
    // The keys sit beside the pointers: sorting reads no result.
    struct Ranked {
        std::int32_t net, total;
        StageResult* result;
        bool operator<(const Ranked& other) const { return keyBefore(net, total, other.net, other.total); }
    };
    std::vector<Ranked> order;
    for (StageResult& result : results) {
        result.place = 0;
        result.eligible = !result.startCell.empty() && isSelected(options.selectedClasses, result.className);
        if (result.eligible && isPlacedStatus(result.status))
            order.push_back({result.netScore(), result.total, &result});
    }
    std::stable_sort(order.begin(), order.end());
    std::int32_t place = 0;
    for (const bool disqualified : {false, true})
        for (const Ranked& ranked : order) {
            StageResult* result = ranked.result;
            if (result->disqualified() != disqualified) continue;
            result->place = ++place;
            log.append(cp1250ToUtf8(result->name) + (disqualified ? " DISK/" : " ") + std::to_string(place));
        }
    // Equal keys share the better place (1, 2, 2, 4), disqualified or not; only
    // placed competitors take part, so no unselected class reaches the page.
    // Sorted, equal keys stand together.
    for (std::size_t first = 0, end = 0; first < order.size(); first = end) {
        std::int32_t best = order[first].result->place;
        for (end = first + 1; end < order.size() && !(order[first] < order[end]); ++end)
            best = std::min(best, order[end].result->place);
        for (std::size_t i = first; i < end; ++i)
            order[i].result->place = best;
    }
}

std::vector<const StageResult*> unplacedResults(const std::vector<StageResult>& results) {
    std::vector<const StageResult*> listed;
    for (const StageResult& result : results)
        if (result.eligible && result.status == StageStatus::DidNotFinish) listed.push_back(&result);
    std::stable_sort(listed.begin(), listed.end(),
                     [](const StageResult* a, const StageResult* b) { return rankedBefore(*a, *b); });
    for (const StageResult& result : results)
        if (result.eligible && result.status == StageStatus::DidNotStart) listed.push_back(&result);
    return listed;
}

void writeBackResult(CompetitorTable& table, const StageResult& result, int stage) {
    if (result.startCell.empty()) return;
    // Left empty, so that the overall results count no stage he did not run.
    if (result.status == StageStatus::DidNotStart) {
        for (const int cell : {column::points(stage), column::tc(stage), column::penalty(stage)})
            table.setCell(result.row, cell, std::string());
        return;
    }
    table.setCell(result.row, column::points(stage), std::to_string(result.points));
    table.setCell(result.row, column::tc(stage), std::to_string(result.total));
    table.setCell(result.row, column::penalty(stage), std::to_string(result.overtime));
}

void writeBackResults(CompetitorTable& table, const std::vector<StageResult>& results, int stage) {
    for (const StageResult& result : results)
        writeBackResult(table, result, stage);
}

} // namespace ravik
