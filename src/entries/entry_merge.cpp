#include "entries/entry_merge.h"

namespace ravik {

MergeOutcome mergeImportedCompetitor(CompetitorTable& table, const ImportedCompetitor& competitor,
                                     int stage) {
    const int startCol = column::start(stage);
    bool matched = false;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(r, column::kName) != competitor.name) continue;
        matched = true;
        if (!competitor.card.empty() && table.cell(r, column::kSi) != competitor.card)
            table.setCell(r, column::kSi, competitor.card);
        table.setCell(r, startCol, "0");
    }
    if (matched) return MergeOutcome::Matched;
    if (table.competitorRows() >= kMaxCompetitors) return MergeOutcome::TableFull;
    TableRow row;
    row[column::kId] = competitor.id;
    row[column::kRegistration] = competitor.registration;
    row[column::kClass] = competitor.competitorClass;
    row[column::kSi] = competitor.card;
    row[column::kName] = competitor.name;
    row[column::kFlag] = competitor.country;
    row[column::kRelay] = competitor.relay;
    row[startCol] = "0";
    table.appendRow(std::move(row));
    return MergeOutcome::Added;
}

} // namespace ravik
