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

TEST(TextImport, AFileInUtf8IsConvertedAndAnyOtherIsTakenAsTheCodePage) {
    const std::vector<std::pair<std::string, std::string>> files{
        {"Nov\xC3\xA1k \xC5\xA0t\xC4\x9Bp\xC3\xA1n", "Nov\xE1k \x8At\xECp\xE1n"}, // UTF-8
        {"\xEF\xBB\xBFNovak", "Novak"},                                           // byte-order mark
        {"\xEF\xBB\xBF\xC3\x85sa", "Asa"}, // with the mark; closest letter for one the page lacks
        {"Nov\xE1k \x8At\xECp\xE1n", "Nov\xE1k \x8At\xECp\xE1n"}, // code page 1250
        {"\xC3\xA1 \xE1", "\xC3\xA1 \xE1"},                       // not wholly UTF-8: code page 1250
        {"Novak", "Novak"}};
    for (const auto& [bytes, text] : files)
        EXPECT_EQ(fixedColumnFileText(bytes), text) << bytes;
}

TEST(TextImport, TheOnlyRowWhenEmptyIsFilledFirstAndTheAddedClassesAreReturned) {
    CompetitorTable table;
    table.appendRow();
    LogLines log;
    const std::string other = fixedLine({{9, "D21"}, {31, "Dvo\xF8\xE1k Petr"}});
    EXPECT_EQ(
        importFixedColumnText(table, kNovak + "\r\n" + other + "\r\n" + kNovak, 1, Language::Czech, log),
        (std::vector<std::string>{"H21", "D21"}));
    EXPECT_EQ(columnCells(table, column::kName), (Cells{"Nov\xE1k Jan", "Dvo\xF8\xE1k Petr"}));

    // A row with anything in it stays where it is.
    CompetitorTable started;
    TableRow row;
    row[column::kRelay] = "1";
    started.appendRow(row);
    importFixedColumnText(started, kNovak, 1, Language::Czech, log);
    EXPECT_EQ(columnCells(started, column::kName), (Cells{"", "Nov\xE1k Jan"}));
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
