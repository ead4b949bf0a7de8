#pragma once
// Small builders of competitor tables for the entries tests.
#include "core/competitor_table.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace ravik::test {

using Cells = std::vector<std::string>;

// A table with one competitor row per value, the value in column `col`.
inline CompetitorTable tableWithColumn(int col, const Cells& values) {
    CompetitorTable table;
    for (const auto& value : values) {
        TableRow row;
        row[col] = value;
        table.appendRow(row);
    }
    return table;
}

// The column's cells of the competitor rows, top to bottom.
inline Cells columnCells(const CompetitorTable& table, int col) {
    Cells cells;
    for (int r = 1; r < table.rowCount(); ++r)
        cells.push_back(table.cell(r, col));
    return cells;
}

} // namespace ravik::test
