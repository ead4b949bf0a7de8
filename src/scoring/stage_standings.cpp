#include "scoring/stage_standings.h"

#include "core/numbers.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_folder.h"
#include "scoring/stage_scoring.h"

#include <algorithm>
#include <optional>

namespace ravik {
namespace {

std::optional<std::int64_t> digitsCell(const std::string& cell) {
    if (!isDigitsOnly(cell) || cell.size() > 18) return std::nullopt;
    return std::stoll(cell);
}

// Finished, then disqualified, then not finished.
int group(StageStatus status) {
    return status == StageStatus::Ok ? 0 : status == StageStatus::Disqualified ? 1 : 2;
}

} // namespace

std::vector<ScoredRow> stageStandings(const Session& session, int stage) {
    const std::string folder = session.race.stageFolder(stage);
    requireStageFolder(session, folder);
    const RaceRecord record = readStage(session.race.racePath(), stage);
    ScoringOptions options;
    options.stage = stage;
    std::vector<SkippedFile> unreadable; // scored as missing, as the stage scoring does
    const std::vector<StageResult> results =
        scoreCompetitors(session.table, record, folder, options, &unreadable);

    std::vector<ScoredRow> rows;
    const CompetitorTable& table = session.table;
    for (const StageResult& result : results) {
        const int row = result.row;
        if (table.cell(row, column::start(stage)).empty()) continue;
        const auto points = digitsCell(table.cell(row, column::points(stage)));
        const auto total = digitsCell(table.cell(row, column::tc(stage)));
        if (!points || !total || result.status == StageStatus::DidNotStart) continue;
        rows.push_back({row, *points, result.overtime, *total, result.status});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ScoredRow& a, const ScoredRow& b) {
        if (group(a.status) != group(b.status)) return group(a.status) < group(b.status);
        if (a.netScore() != b.netScore()) return a.netScore() > b.netScore();
        return a.total < b.total;
    });
    return rows;
}

std::vector<int> stageRankingRows(const Session& session, int stage) {
    std::vector<int> rows;
    for (const ScoredRow& scored : stageStandings(session, stage))
        rows.push_back(scored.row);
    return rows;
}

} // namespace ravik
