#include "entries/table_sorts.h"

#include "table_builders.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {
using test::Cells;
using test::columnCells;
using test::tableWithColumn;

// Tags each row by its original position in column ID so that moves can be followed.
CompetitorTable tagged(int col, const Cells& values) {
    auto table = tableWithColumn(col, values);
    for (int r = 1; r < table.rowCount(); ++r)
        table.setCell(r, column::kName, "row" + std::to_string(r));
    return table;
}

TEST(NumericSort, KeyIsTheNumberTimesHundredCut) {
    EXPECT_EQ(numericSortKey("12.5"), 1250);
    EXPECT_EQ(numericSortKey("12.50"), 1250);
    EXPECT_EQ(numericSortKey("12,499"), 1249);
    EXPECT_EQ(numericSortKey("0.29"), 29);
    EXPECT_EQ(numericSortKey("7"), 700);
    EXPECT_EQ(numericSortKey(""), std::nullopt);
    EXPECT_EQ(numericSortKey("x1"), std::nullopt);
    EXPECT_EQ(numericSortKey("1.2.3"), std::nullopt);
}

TEST(NumericSort, OrdersStartOffsetsAndPutsEmptyCellsLast) {
    auto table = tagged(column::start(1), {"4", "", "0.5", "2,5"});
    sortNumeric(table, column::start(1));
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"0.5", "2,5", "4", ""}));
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"row3", "row4", "row1", "row2"}));
}

TEST(NumericSort, EqualKeysFollowTheExchangeScanAndNoRowIsLost) {
    // Keys 1, 0, 1, 0: the zeros come up first, which moves the first 1 below the second.
    auto table = tagged(column::kId, {"1", "0", "1.00", "0", "x", "9"});
    sortNumeric(table, column::kId);
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"0", "0", "1.00", "1", "9", "x"}));
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"row2", "row4", "row3", "row1", "row6", "row5"}));
}

TEST(NumericSort, HeadingRowStaysInPlace) {
    auto table = tagged(column::kId, {"3", "1"});
    table.setHeadings(Language::English);
    sortNumeric(table, column::kId);
    EXPECT_EQ(table.cell(0, column::kId), "ID");
    EXPECT_EQ(columnCells(table, column::kId), (Cells{"1", "3"}));
}

TEST(TextSort, AscendingByteOrderWithEmptyFirst) {
    auto table = tagged(column::kFlag, {"\xC8"
                                        "erm\xE1k",
                                        "Adam", "", "adam", "Zeman"});
    sortText(table, column::kFlag);
    EXPECT_EQ(columnCells(table, column::kFlag), (Cells{"", "Adam", "Zeman", "adam",
                                                        "\xC8"
                                                        "erm\xE1k"}));
}

TEST(TextSort, ComparesRelayNumbersAsText) {
    auto table = tagged(column::kRelay, {"9", "10"});
    sortText(table, column::kRelay);
    EXPECT_EQ(columnCells(table, column::kRelay), (Cells{"10", "9"}));
}

TEST(TextSort, EqualTextsDoNotKeepTheirOrder) {
    auto table = tagged(column::kFlag, {"CZE", "CZE", "AUT"});
    sortText(table, column::kFlag);
    EXPECT_EQ(columnCells(table, column::kFlag), (Cells{"AUT", "CZE", "CZE"}));
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"row3", "row2", "row1"}));
}

TEST(TextSort, OnlyEmptyCellsExchangeNothing) {
    auto table = tagged(column::kFlag, {"", "", ""});
    sortText(table, column::kFlag);
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"row1", "row2", "row3"}));
}

TEST(ClassSort, FollowsTheSlotsAndPutsOtherClassesBelow) {
    ClassSlots slots{"H21", "D21"};
    auto table = tagged(column::kClass, {"D21", "X", "H21", "", "D21", "H21"});
    sortByClassSlots(table, slots);
    // Slot 3 is the first empty slot: it takes the row with the empty class.
    EXPECT_EQ(columnCells(table, column::kClass), (Cells{"H21", "H21", "D21", "D21", "", "X"}));
    EXPECT_EQ(table.competitorRows(), 6);
}

TEST(ClassSort, WithoutAFreeSlotAnEmptyClassEndsBelow) {
    ClassSlots slots{"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    auto table = tagged(column::kClass, {"", "I", "Z", "A"});
    sortByClassSlots(table, slots);
    EXPECT_EQ(columnCells(table, column::kClass), (Cells{"A", "I", "Z", ""}));
}

TEST(SortMenu, ItemsRunTheirSortsWithTheirCaptions) {
    EXPECT_EQ(sortItemCaption(1, Language::Czech), "Srovnat podle ID");
    EXPECT_EQ(sortItemCaption(3, Language::Czech), "Srovnat podle E2");
    EXPECT_EQ(sortItemCaption(6, Language::English), "Sort by E5");
    EXPECT_EQ(sortItemCaption(7, Language::English), "Sort by class");
    EXPECT_EQ(sortItemCaption(8, Language::Czech), "Srovnat podle jména");
    EXPECT_EQ(sortItemCaption(9, Language::English), "Sort by relay number");
    EXPECT_EQ(sortItemCaption(10, Language::Czech), "Srovnat podle státu");

    auto table = tagged(column::start(2), {"6", "2"});
    ASSERT_TRUE(sortByMenuItem(table, 3, {}));
    EXPECT_EQ(columnCells(table, column::start(2)), (Cells{"2", "6"}));
    EXPECT_FALSE(sortByMenuItem(table, 0, {}));
}

} // namespace
} // namespace ravik
