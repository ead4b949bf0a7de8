#pragma once
// The competitor table: the 32-column text grid that every command reads and
// writes while the program runs. Row 0 is the heading; competitors are rows 1..N.
// Cells hold code page 1250 text; an empty cell means "not set".
#include "core/language.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ravik {

inline constexpr int kTableColumns = 32;
inline constexpr int kMaxCompetitors = 2000;

namespace column {
inline constexpr int kId = 0;
inline constexpr int kRegistration = 1;
inline constexpr int kClass = 2;
inline constexpr int kSi = 3;
inline constexpr int kName = 4;
inline constexpr int kFlag = 5;
inline constexpr int kRelay = 6;
// Stage s is 1..5.
constexpr int start(int s) { return 6 + s; }
constexpr int points(int s) { return 12 + (s - 1) * 2; }
constexpr int tc(int s) { return 13 + (s - 1) * 2; }
constexpr int penalty(int s) { return 21 + s; }
constexpr int disqualified(int s) { return 26 + s; }
} // namespace column

using TableRow = std::array<std::string, kTableColumns>;

class CompetitorTable {
public:
    CompetitorTable() { clear(); }

    // One heading row and nothing else (headings empty until setHeadings).
    void clear();
    // Heading texts of row 0 in the language (UTF-8 headings converted to code page 1250).
    void setHeadings(Language language);

    // Rows including the heading row.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int competitorRows() const { return rowCount() - 1; }

    const std::string& cell(int row, int col) const { return rows_.at(row).at(col); }
    // Writing the text a cell already holds leaves the row's revision as it was.
    void setCell(int row, int col, std::string text);
    const TableRow& row(int r) const { return rows_.at(r); }
    TableRow& row(int r); // counts as a change of the row

    // A number that moves whenever the row's cells may have changed: rows with equal
    // revisions hold equal cells (a copied table keeps its rows' revisions).
    std::uint64_t revision(int r) const { return revisions_.at(r); }

    // Sets the number of rows (heading included, at least 1); new rows are empty.
    void setRowCount(int count);
    void appendRow(TableRow row = {});
    void removeRow(int r);
    void swapRows(int a, int b);

private:
    std::vector<TableRow> rows_;
    std::vector<std::uint64_t> revisions_; // parallel to rows_
};

// The UTF-8 heading of a column in the language.
std::string columnHeading(int col, Language language);

} // namespace ravik
