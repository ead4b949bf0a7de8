#include "core/competitor_table.h"

#include "core/cp1250.h"

#include <atomic>
#include <stdexcept>

namespace ravik {

namespace {

// One count for every table of the program (copies live on other threads), so
// that no two different rows ever share a revision.
std::uint64_t newRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace

void CompetitorTable::clear() {
    rows_.assign(1, TableRow{});
    revisions_.assign(1, newRevision());
}

void CompetitorTable::setHeadings(Language language) {
    for (int c = 0; c < kTableColumns; ++c) setCell(0, c, utf8ToCp1250(columnHeading(c, language)));
}

void CompetitorTable::setCell(int row, int col, std::string text) {
    std::string& cell = rows_.at(row).at(col);
    if (cell == text) return;
    cell = std::move(text);
    revisions_[row] = newRevision();
}

TableRow& CompetitorTable::row(int r) {
    TableRow& cells = rows_.at(r);
    revisions_[r] = newRevision();
    return cells;
}

void CompetitorTable::setRowCount(int count) {
    const auto rows = static_cast<std::size_t>(std::max(count, 1));
    rows_.resize(rows);
    while (revisions_.size() < rows)
        revisions_.push_back(newRevision());
    revisions_.resize(rows);
}

void CompetitorTable::appendRow(TableRow row) {
    rows_.push_back(std::move(row));
    revisions_.push_back(newRevision());
}

void CompetitorTable::removeRow(int r) {
    if (r < 1 || r >= rowCount()) throw std::out_of_range("no such competitor row");
    rows_.erase(rows_.begin() + r);
    revisions_.erase(revisions_.begin() + r);
}

void CompetitorTable::swapRows(int a, int b) {
    std::swap(rows_.at(a), rows_.at(b));
    std::swap(revisions_.at(a), revisions_.at(b));
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
