#include "entries/entry_merge.h"

#include "core/page_text.h"

#include <algorithm>

namespace ravik {
namespace {

// A table whose one competitor row has no cell filled (a new race's table).
bool onlyRowIsEmpty(const CompetitorTable& table) {
    if (table.competitorRows() != 1) return false;
    const TableRow& row = table.row(1);
    return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
}

} // namespace

MergeOutcome mergeImportedCompetitor(CompetitorTable& table, const ImportedCompetitor& imported, int stage) {
    // Nothing from outside carries a control character into the table.
    ImportedCompetitor competitor = imported;
    for (std::string* text : {&competitor.id, &competitor.registration, &competitor.competitorClass,
                              &competitor.card, &competitor.name, &competitor.country, &competitor.relay})
        *text = withoutControlCharacters(std::move(*text));
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
    // Filled rather than left blank above the import, where "ID+" would number it 1.
    if (onlyRowIsEmpty(table))
        table.row(1) = std::move(row);
    else
        table.appendRow(std::move(row));
    return MergeOutcome::Added;
}

} // namespace ravik
