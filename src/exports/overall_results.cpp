#include "exports/overall_results.h"

#include "scoring/class_lookup.h"

#include <algorithm>

namespace ravik {
namespace {

// Starts in every chosen stage and has its points there: the stage scoring leaves
// the points of a competitor who did not start empty.
bool hasEveryChosenStage(const CompetitorTable& table, int row, const OverallOptions& options) {
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1] && (table.cell(row, column::start(stage)).empty() ||
                                          !wholeCellNumber(table.cell(row, column::points(stage)))))
            return false;
    return true;
}

OverallStanding totalsOf(const CompetitorTable& table, int row, const OverallOptions& options) {
    OverallStanding standing;
    standing.row = row;
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        const std::int32_t penalty = wholeCellNumber(table.cell(row, column::penalty(stage))).value_or(0);
        if (const auto points = wholeCellNumber(table.cell(row, column::points(stage))))
            standing.pointsTotal += std::int64_t{*points} - penalty;
        if (const auto tc = wholeCellNumber(table.cell(row, column::tc(stage)))) standing.tcTotal += *tc;
        if (table.cell(row, column::disqualified(stage)) == "DISK") standing.disqualified = true;
    }
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

std::vector<OverallStanding> rankOverall(const CompetitorTable& table, const OverallOptions& options) {
    std::vector<OverallStanding> listed;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (!isSelected(options.classes, table.cell(row, column::kClass))) continue;
        if (options.completeOnly && !hasEveryChosenStage(table, row, options)) continue;
        listed.push_back(totalsOf(table, row, options));
    }
    std::stable_sort(listed.begin(), listed.end(), [](const OverallStanding& a, const OverallStanding& b) {
        if (a.disqualified != b.disqualified) return !a.disqualified;
        if (a.pointsTotal != b.pointsTotal) return a.pointsTotal > b.pointsTotal;
        return a.tcTotal < b.tcTotal;
    });
    int counter = 0;
    const OverallStanding* before = nullptr;
    for (OverallStanding& standing : listed) {
        ++counter;
        if (!standing.disqualified) {
            const bool tiesWithBefore = before && !before->disqualified &&
                                        before->pointsTotal == standing.pointsTotal &&
                                        before->tcTotal == standing.tcTotal;
            standing.place = tiesWithBefore ? before->place : counter;
        }
        before = &standing;
    }
    return listed;
}

} // namespace ravik
