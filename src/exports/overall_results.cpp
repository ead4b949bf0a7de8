#include "exports/overall_results.h"

#include "scoring/class_lookup.h"

#include <algorithm>

namespace ravik {
namespace {

// Has a start offset in every chosen stage.
bool hasEveryChosenStage(const CompetitorTable& table, int row, const OverallOptions& options) {
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1] && table.cell(row, column::start(stage)).empty()) return false;
    return true;
}

// Disqualified wins over not started, which wins over not finished.
StageStatus worse(StageStatus a, StageStatus b) {
    return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

OverallStanding totalsOf(const CompetitorTable& table, int row, const OverallOptions& options,
                         const StageStatusLookup& statusOf) {
    OverallStanding standing;
    standing.row = row;
    bool disqualified = false;
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        const std::int32_t penalty = wholeCellNumber(table.cell(row, column::penalty(stage))).value_or(0);
        const auto points = wholeCellNumber(table.cell(row, column::points(stage)));
        if (points) standing.pointsTotal += std::int64_t{*points} - penalty;
        if (const auto tc = wholeCellNumber(table.cell(row, column::tc(stage)))) standing.tcTotal += *tc;
        if (table.cell(row, column::disqualified(stage)) == "DISK") disqualified = true;
        if (table.cell(row, column::start(stage)).empty()) continue;
        const StageStatus status = statusOf(row, stage);
        if (status == StageStatus::DidNotStart || status == StageStatus::DidNotFinish)
            standing.status = worse(standing.status, status);
    }
    if (disqualified) standing.status = StageStatus::Disqualified;
    return standing;
}

} // namespace

std::optional<std::int32_t> wholeCellNumber(std::string_view cell) {
    std::string_view digits = cell;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '+' || negative)) digits.remove_prefix(1);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

StageStatusLookup statusesFromCells(const CompetitorTable& table) {
    return [&table](int row, int stage) {
        if (table.cell(row, column::disqualified(stage)) == "DISK") return StageStatus::Disqualified;
        return wholeCellNumber(table.cell(row, column::points(stage))) ? StageStatus::Ok
                                                                       : StageStatus::DidNotStart;
    };
}

std::vector<OverallStanding> rankOverall(const CompetitorTable& table, const OverallOptions& options,
                                         const StageStatusLookup& givenStatusOf) {
    const StageStatusLookup statusOf = givenStatusOf ? givenStatusOf : statusesFromCells(table);
    std::vector<OverallStanding> listed;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (!isSelected(options.classes, table.cell(row, column::kClass))) continue;
        if (options.completeOnly && !hasEveryChosenStage(table, row, options)) continue;
        listed.push_back(totalsOf(table, row, options, statusOf));
    }
    // Finished, then not started or not finished (together), then disqualified.
    auto group = [](const OverallStanding& s) {
        return s.status == StageStatus::Ok ? 0 : s.disqualified() ? 2 : 1;
    };
    std::stable_sort(listed.begin(), listed.end(), [&](const OverallStanding& a, const OverallStanding& b) {
        if (group(a) != group(b)) return group(a) < group(b);
        if (a.pointsTotal != b.pointsTotal) return a.pointsTotal > b.pointsTotal;
        return a.tcTotal < b.tcTotal;
    });
    int counter = 0;
    const OverallStanding* before = nullptr;
    for (OverallStanding& standing : listed) {
        ++counter;
        if (standing.status == StageStatus::Ok) {
            const bool tiesWithBefore =
                before && before->pointsTotal == standing.pointsTotal && before->tcTotal == standing.tcTotal;
            standing.place = tiesWithBefore ? before->place : counter;
        }
        before = &standing;
    }
    return listed;
}

} // namespace ravik
