#include "core/competitor_table.h"

#include <gtest/gtest.h>

using namespace ravik;

TEST(CompetitorTable, ARowsRevisionMovesWithEveryChangeOfItsCellsAndOnlyThen) {
    CompetitorTable table;
    table.setRowCount(3);
    table.setCell(1, column::kName, "Ann");
    const std::uint64_t first = table.revision(1), second = table.revision(2);
    EXPECT_NE(first, second);

    table.setCell(1, column::kName, "Ann"); // the same text again
    EXPECT_EQ(table.revision(1), first);
    const CompetitorTable copy = table; // a copy holds the same cells
    EXPECT_EQ(copy.revision(1), first);

    table.setCell(1, column::kName, "Anna");
    EXPECT_NE(table.revision(1), first);
    EXPECT_NE(table.revision(1), copy.revision(1));

    table.swapRows(1, 2); // the revision goes with its row
    EXPECT_EQ(table.revision(1), second);
    table.row(1); // written through, or perhaps not: counted as a change
    EXPECT_NE(table.revision(1), second);
    table.removeRow(1);
    table.appendRow();
    EXPECT_NE(table.revision(2), second);
}
