#include "entries/table_commands.h"

#include "table_builders.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {
using test::Cells;
using test::columnCells;
using test::tableWithColumn;

TEST(AddRow, TakesTheLargestWholeNumberIdPlusOne) {
    auto table = tableWithColumn(column::kId, {"3", "7", "x", "", "2.5"});
    ASSERT_TRUE(addCompetitorRow(table));
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"3", "7", "x", "", "2.5", "8"}));
    EXPECT_EQ(table.row(6), [] {
        TableRow row;
        row[column::kId] = "8";
        return row;
    }());
}

TEST(AddRow, StartsAtZeroWhenNoIdIsAWholeNumber) {
    auto table = tableWithColumn(column::kId, {"x", ""});
    addCompetitorRow(table);
    EXPECT_EQ(table.cell(3, column::kId), "0");
}

TEST(AddRow, RefusesARowBeyondTheTablesCapacity) {
    CompetitorTable table;
    table.setRowCount(kMaxCompetitors + 1);
    EXPECT_FALSE(addCompetitorRow(table));
    EXPECT_EQ(table.competitorRows(), kMaxCompetitors);
}

TEST(FillMissingIds, GivesEachEmptyCellTheNextNumberNoRowHolds) {
    auto table = tableWithColumn(column::kId, {"2", "1", "", ""});
    fillMissingIds(table);
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"2", "1", "3", "4"}));

    table = tableWithColumn(column::kId, {"", "", "1"});
    fillMissingIds(table);
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"2", "3", "1"}));

    table = tableWithColumn(column::kId, {"", "007", ""});
    fillMissingIds(table);
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"1", "007", "2"}));
}

TEST(DeleteRow, MovesEveryRowBelowUpWithAllItsCells) {
    CompetitorTable table;
    for (int r = 1; r <= 3; ++r) {
        TableRow row;
        for (int c = 0; c < kTableColumns; ++c)
            row[c] = std::to_string(r) + "/" + std::to_string(c);
        row[column::disqualified(2)] = r == 3 ? "DISK" : "";
        table.appendRow(row);
    }
    const TableRow third = table.row(3);
    ASSERT_TRUE(deleteCompetitorRow(table, 2));
    EXPECT_EQ(table.competitorRows(), 2);
    EXPECT_EQ(table.row(2), third);
    EXPECT_FALSE(deleteCompetitorRow(table, 0));
    EXPECT_FALSE(deleteCompetitorRow(table, 3));
    EXPECT_EQ(table.competitorRows(), 2);
}

TEST(DeleteRow, CaptionNamesTheRowItsIdAndName) {
    CompetitorTable table;
    table.setRowCount(5);
    table.setCell(4, column::kId, "12");
    table.setCell(4, column::kName, "Nov\xE1k Jan");
    EXPECT_EQ(deleteRowCaption(table, 4, Language::Czech), "Smazat řádek 4 (12,Novák Jan)");
    EXPECT_EQ(deleteRowCaption(table, 4, Language::English), "Delete line 4 (12,Novák Jan)");
    EXPECT_EQ(deleteRowCaption(table, 0, Language::English), "Delete line");
}

TEST(ClearResults, EmptiesResultColumnsAndKeepsTheEntries) {
    CompetitorTable table;
    TableRow row;
    for (int c = 0; c < kTableColumns; ++c)
        row[c] = "v" + std::to_string(c);
    table.appendRow(row);
    table.appendRow(row);
    clearResults(table);
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c < kTableColumns; ++c)
            EXPECT_EQ(table.cell(r, c), c <= 11 ? row[c] : "") << r << "/" << c;
}

} // namespace
} // namespace ravik
