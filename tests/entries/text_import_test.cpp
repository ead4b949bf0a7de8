#include "entries/text_import.h"

#include "core/log.h"
#include "table_builders.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {
using test::Cells;
using test::columnCells;

// Puts each text at its 1-based position in a line of blanks.
std::string fixedLine(std::initializer_list<std::pair<int, std::string>> fields) {
    std::string line;
    for (const auto& [position, text] : fields) {
        if (line.size() < position - 1 + text.size()) line.resize(position - 1 + text.size(), ' ');
        line.replace(position - 1, text.size(), text);
    }
    return line;
}

const std::string kNovak = fixedLine({{1, "ABC1234"},
                                      {9, "H21"},
                                      {19, "1234567"},
                                      {31, "Nov\xE1k Jan"},
                                      {59, "CZE"},
                                      {63, "12"},
                                      {71, "3"},
                                      {74, " "}});

TEST(TextImport, ALineOnAnEmptyTableAddsARow) {
    CompetitorTable table;
    LogLines log;
    importFixedColumnText(table, kNovak, 1, Language::Czech, log);
    ASSERT_EQ(table.competitorRows(), 1);
    TableRow expected;
    expected[column::kId] = "12";
    expected[column::kRegistration] = "ABC1234";
    expected[column::kClass] = "H21";
    expected[column::kSi] = "1234567";
    expected[column::kName] = "Nov\xE1k Jan";
    expected[column::kFlag] = "CZE";
    expected[column::kRelay] = "3";
    expected[column::start(1)] = "0";
    EXPECT_EQ(table.row(1), expected);
    EXPECT_TRUE(log.lines().empty());
}

TEST(TextImport, TheSameNameUpdatesOnlyTheCardAndTheStart) {
    CompetitorTable table;
    LogLines log;
    importFixedColumnText(table, kNovak, 1, Language::Czech, log);
    table.setCell(1, column::start(1), "14");
    table.setCell(1, column::kClass, "D21");
    std::string otherCard = kNovak;
    otherCard.replace(18, 7, "7654321");
    importFixedColumnText(table, otherCard, 1, Language::Czech, log);
    ASSERT_EQ(table.competitorRows(), 1);
    EXPECT_EQ(table.cell(1, column::kSi), "7654321");
    EXPECT_EQ(table.cell(1, column::start(1)), "0");
    EXPECT_EQ(table.cell(1, column::kClass), "D21");

    std::string noCard = kNovak;
    noCard.replace(18, 7, "       ");
    importFixedColumnText(table, noCard, 1, Language::Czech, log);
    EXPECT_EQ(table.cell(1, column::kSi), "7654321");
}

TEST(TextImport, StageThreeWritesOnlyItsColumn) {
    CompetitorTable table;
    LogLines log;
    importFixedColumnText(table, kNovak, 3, Language::Czech, log);
    EXPECT_EQ(table.cell(1, column::start(3)), "0");
    EXPECT_EQ(table.cell(1, column::start(1)), "");
}

TEST(TextImport, NameDiffersInCaseIsANewRow) {
    CompetitorTable table;
    LogLines log;
    std::string upper = kNovak;
    upper.replace(30, 5, "NOV\xC1K");
    importFixedColumnText(table, kNovak + "\r\n" + upper + "\r\n", 1, Language::Czech, log);
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"Nov\xE1k Jan", "NOV\xC1K Jan"}));
}

TEST(TextImport, FieldsDropBlanksAndShortLinesYieldFewerCharacters) {
    const auto spaced = parseFixedColumnLine(
        fixedLine({{1, "AB 1 34"}, {9, "H 2 1"}, {19, "12 34"}, {31, " Nov\xE1k   Jan  Petr"}, {59, "CZE"}}));
    EXPECT_EQ(spaced.registration, "AB 1 34");
    EXPECT_EQ(spaced.competitorClass, "H21");
    EXPECT_EQ(spaced.card, "1234");
    EXPECT_EQ(spaced.name, " Nov\xE1k Jan Petr");

    const auto shortLine = parseFixedColumnLine("ABC");
    EXPECT_EQ(shortLine.registration, "ABC");
    EXPECT_EQ(shortLine.name, "");
    EXPECT_EQ(parseFixedColumnLine(fixedLine({{31, "Jan   "}})).name, "Jan");
}

TEST(TextImport, BlankLineMarksRowsWithoutNameOrAddsOne) {
    CompetitorTable table;
    LogLines log;
    importFixedColumnText(table, "\n", 2, Language::Czech, log);
    ASSERT_EQ(table.competitorRows(), 1);
    EXPECT_EQ(table.cell(1, column::start(2)), "0");
    importFixedColumnText(table, "   \r\n", 1, Language::Czech, log);
    EXPECT_EQ(table.competitorRows(), 1);
    EXPECT_EQ(table.cell(1, column::start(1)), "0");
}

TEST(TextImport, LinesOfTheBox) {
    EXPECT_EQ(textBoxLines("a\r\nb\nc\rd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(textBoxLines("a\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(textBoxLines("\n\n"), (std::vector<std::string_view>{"", ""}));
    EXPECT_TRUE(textBoxLines("").empty());
}

TEST(TextImport, HugeLinesAndAFullTable) {
    CompetitorTable table;
    LogLines log;
    std::string huge(100000, 'x');
    importFixedColumnText(table, huge + "\n" + huge, 1, Language::English, log);
    ASSERT_EQ(table.competitorRows(), 1);
    EXPECT_EQ(table.cell(1, column::kName), std::string(27, 'x'));

    table.setRowCount(kMaxCompetitors + 1);
    importFixedColumnText(table, fixedLine({{31, "New One"}}) + "\n" + fixedLine({{31, "New Two"}}), 1,
                          Language::English, log);
    EXPECT_EQ(table.competitorRows(), kMaxCompetitors);
    EXPECT_EQ(log.lastLine(), "The table is full (2000 competitors), competitors not added: 2");
}

} // namespace
} // namespace ravik
