#include "core/competitor_table.h"

#include "core/cp1250.h"

#include <stdexcept>

namespace ravik {

void CompetitorTable::clear() { rows_.assign(1, TableRow{}); }

void CompetitorTable::setHeadings(Language language) {
    for (int c = 0; c < kTableColumns; ++c) rows_[0][c] = utf8ToCp1250(columnHeading(c, language));
}

void CompetitorTable::setRowCount(int count) { rows_.resize(static_cast<std::size_t>(std::max(count, 1))); }

void CompetitorTable::appendRow(TableRow row) { rows_.push_back(std::move(row)); }

void CompetitorTable::removeRow(int r) {
    if (r < 1 || r >= rowCount()) throw std::out_of_range("no such competitor row");
    rows_.erase(rows_.begin() + r);
}

std::string columnHeading(int col, Language language) {
    const bool english = language == Language::English;
    switch (col) {
    case column::kId: return "ID";
    case column::kRegistration: return english ? "Registration" : "Registračka";
    case column::kClass: return english ? "Class" : "Kategorie";
    case column::kSi: return "SI";
    case column::kName: return english ? "Name" : "Jméno";
    case column::kFlag: return english ? "Flag" : "Vlajka";
    case column::kRelay: return english ? "Relay" : "Štafeta";
    default: break;
    }
    if (col >= 7 && col <= 11) return "E" + std::to_string(col - 6);
    if (col >= 12 && col <= 21) {
        const int stage = (col - 12) / 2 + 1;
        return "E" + std::to_string(stage) + ((col - 12) % 2 == 0 ? " pts" : " TC");
    }
    if (col >= 22 && col <= 26) return "Pen" + std::to_string(col - 21);
    if (col >= 27 && col <= 31) return (english ? "Disq.E" : "DISK E") + std::to_string(col - 26);
    throw std::out_of_range("no such column");
}

} // namespace ravik
