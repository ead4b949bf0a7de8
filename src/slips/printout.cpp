#include "slips/printout.h"

#include "core/session.h"
#include "scoring/class_lookup.h"

#include <algorithm>
#include <utility>

namespace ravik {

std::array<int, 20> stationTaskCounts(const ClassDefinition& definition) {
    std::array<int, 20> counts{};
    for (int station = 0; station < kClusters; ++station)
        for (const std::string& answer : definition.cluster_answers[station])
            if (!answer.empty()) ++counts[station];
    return counts;
}

PrintoutData printoutDataFrom(const StageResult& result, const TableRow& row,
                              const ClassDefinition& definition) {
    PrintoutData data;
    data.name = result.name;
    data.className = result.className;
    data.card = row[column::kSi];
    data.id = row[column::kId];
    data.start = result.start;
    data.finish = result.finish;
    data.break1 = result.break1;
    data.break2 = result.break2;
    data.raceTime = result.raceTime;
    data.sprint = result.sprint;
    if (result.sprint) data.rankingTime = result.total;
    data.overtime = result.overtime;
    data.points = result.points;
    data.answer = result.answer;
    data.wrong = result.wrong;
    for (int k = 0; k < kControls; ++k) {
        data.split[k] = result.split[k];
        data.voided[k] = isVoidedControl(definition, k);
    }
    data.tcTotal = result.sprint ? result.tcSum : result.total; // a sprint's total is its ranking time
    for (int s = 0; s < kClusters; ++s) {
        data.tcAnswer[s] = result.tcAnswer[s];
        data.tcTime[s] = result.tcTime[s];
        data.tcPenalty[s] = result.tcPenalty[s];
        for (int t = 0; t < kClusterSlots; ++t)
            data.tcVoided[s][t] = isVoidedTask(definition, s, t);
    }
    data.taskCount = stationTaskCounts(definition);
    data.place = result.place;
    if (!isPlacedStatus(result.status)) data.status = statusWord(result.status, Language::English);
    return data;
}

std::optional<std::string> competitorClass(const CompetitorTable& table, const std::string& competitorId) {
    std::optional<std::string> className;
    if (competitorId.empty()) return className;
    for (int row = 1; row < table.rowCount(); ++row)
        if (table.cell(row, column::kId) == competitorId) className = table.cell(row, column::kClass);
    return className;
}

PrintoutOutcome makePrintouts(Session& session, const PrintoutRequest& request) {
    PrintoutOutcome outcome;
    const auto className = competitorClass(session.table, request.competitorId);
    if (!className) return outcome;

    ResultsRunOptions run = request.run;
    run.scoring.selectedClasses = {*className};
    run.printoutMode = true;
    // Only the competitor's rows are taken from the results, not a copy of the field.
    run.printout = [&](const std::vector<StageResult>& ranked, const RaceRecord& record) {
        // Disqualified competitors may hold a place behind all others, but they are not placed.
        const int placed =
            static_cast<int>(std::count_if(ranked.begin(), ranked.end(), [](const StageResult& r) {
                return r.place > 0 && r.status == StageStatus::Ok;
            }));
        static const ClassDefinition kNoClass;
        for (const StageResult& result : ranked) {
            if (result.row < 1 || result.row >= session.table.rowCount()) continue;
            const TableRow& row = std::as_const(session.table).row(result.row);
            if (row[column::kId] != request.competitorId) continue;
            const ClassDefinition& definition = result.classSlot >= 0 && result.classSlot < kClassSlots
                                                    ? record.classes[result.classSlot]
                                                    : kNoClass;
            outcome.printouts.push_back(printoutDataFrom(result, row, definition));
            outcome.printouts.back().placed = placed;
        }
    };
    runResults(session, run);
    return outcome;
}

} // namespace ravik
