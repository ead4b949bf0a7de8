#include "entries/start_draw.h"

#include "core/log.h"
#include "table_builders.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>

namespace ravik {
namespace {
using test::Cells;
using test::columnCells;
using test::tableWithColumn;

// Hands out the scripted numbers in turn (modulo n), so rejections can be followed.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> numbers) : numbers_(std::move(numbers)) {}
    int below(int n) override {
        requests.push_back(n);
        const int number = numbers_.empty() ? 0 : numbers_.front();
        if (!numbers_.empty()) numbers_.pop_front();
        return number % n;
    }
    std::vector<int> requests;

private:
    std::deque<int> numbers_;
};

struct Draw {
    test::ScriptedPrompt prompt;
    LogLines log;
    void run(CompetitorTable& table, const DrawOptions& options, RandomSource& random,
             Language language = Language::Czech) {
        drawStartTimes(table, options, language, prompt, log, random);
    }
};

CompetitorTable startsWithClasses(const Cells& starts, const Cells& classes, int stage = 1) {
    auto table = tableWithColumn(column::start(stage), starts);
    for (int r = 1; r < table.rowCount(); ++r)
        table.setCell(r, column::kClass, classes[r - 1]);
    return table;
}

TEST(StartDraw, WholeTableInTableOrderSkipsRowsThatDoNotStart) {
    auto table = tableWithColumn(column::start(1), {"0", "", "", "0", "0"});
    Draw draw;
    SeededRandom random(1);
    draw.run(table, {.drawClass = "all", .stage = 1, .random = false}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"0", "", "", "2", "4"}));
    EXPECT_TRUE(draw.prompt.shown.empty());
}

TEST(StartDraw, WholeTableAtRandomGivesEachOffsetOnce) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        auto table = tableWithColumn(column::start(2), {"5", "0", "", "17"});
        Draw draw;
        SeededRandom random(seed);
        draw.run(table,
                 {.drawClass = "v\x9A"
                               "e",
                  .stage = 2},
                 random);
        auto cells = columnCells(table, column::start(2));
        EXPECT_EQ(cells[2], "");
        cells.erase(cells.begin() + 2);
        std::sort(cells.begin(), cells.end());
        EXPECT_EQ(cells, (Cells{"0", "2", "4"})) << seed;
    }
}

TEST(StartDraw, RandomNumbersAlreadyGivenAreDrawnAgain) {
    auto table = tableWithColumn(column::start(1), {"0", "0", "0"});
    Draw draw;
    ScriptedRandom random({1, 1, 2, 1, 2, 0});
    draw.run(table, {.drawClass = "all"}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"2", "4", "0"}));
    EXPECT_EQ(random.requests, (std::vector<int>{3, 3, 3, 3, 3, 3}));
}

TEST(StartDraw, EmptyTableChangesNothing) {
    auto table = tableWithColumn(column::start(1), {"", ""});
    Draw draw;
    SeededRandom random(1);
    draw.run(table, {.drawClass = "all"}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"", ""}));
}

TEST(StartDraw, FirstStartAndDecimalInterval) {
    auto table = tableWithColumn(column::start(1), {"0", "0"});
    Draw draw;
    SeededRandom random(1);
    draw.run(table, {.drawClass = "all", .interval = "2.5", .firstStart = "10", .random = false}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"10", "12.5"}));
}

TEST(StartDraw, EditsKeepPointsAndDigits) {
    EXPECT_EQ(intervalEditText("2,5"), "2.5");
    EXPECT_EQ(firstStartEditText("1a5"), "15");
}

TEST(StartDraw, IntervalReadAsZeroIsToldForEveryRow) {
    auto table = tableWithColumn(column::start(1), {"0", "", "0", "0"});
    Draw draw;
    SeededRandom random(1);
    draw.run(table, {.drawClass = "all", .interval = "0,5", .firstStart = "3", .random = false}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"3", "", "3", "3"}));
    EXPECT_EQ(
        draw.prompt.shown,
        Cells(3, "Interval byl změněn na 0, protože číslo bylo zadáno špatně. Zkus změnit desetinnou tečku "
                 "na čárku nebo opačně."));
}

TEST(StartDraw, NoConversionWhenFirstStartOrIntervalDoNotStartWithADigit) {
    auto table = tableWithColumn(column::start(1), {"0", "0"});
    Draw draw;
    SeededRandom random(1);
    draw.run(table, {.drawClass = "all", .interval = ".5", .random = false}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"0", "1"}));
    draw.run(table, {.drawClass = "all", .firstStart = "", .random = false}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"0", "1"}));
}

TEST(ClassDraw, SpreadsTheClassOverTheWholeTablesRangeAndLeavesOtherClasses) {
    Cells starts(50, "0"), classes(50, "D21");
    for (int i : {3, 11, 20, 33, 47})
        classes[i] = "H21";
    starts[0] = "";
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        auto table = startsWithClasses(starts, classes);
        Draw draw;
        SeededRandom random(seed);
        // Random off: the class draw is random all the same.
        draw.run(table, {.drawClass = "H21", .interval = "1", .random = false}, random);
        std::set<std::string> drawn;
        for (int r = 1; r <= 50; ++r) {
            if (classes[r - 1] != "H21") {
                EXPECT_EQ(table.cell(r, column::start(1)), starts[r - 1]);
                continue;
            }
            const int offset = std::stoi(table.cell(r, column::start(1)));
            EXPECT_GE(offset, 0);
            EXPECT_LT(offset, 49); // 49 starters in the table
            drawn.insert(table.cell(r, column::start(1)));
        }
        EXPECT_EQ(drawn.size(), 5u) << seed;
    }
}

TEST(ClassDraw, NumbersOfOtherClassesDoNotCount) {
    auto table = startsWithClasses({"0", "1", "0"}, {"H21", "D21", "H21"});
    Draw draw;
    ScriptedRandom random({1, 1, 0});
    draw.run(table, {.drawClass = "H21", .interval = "1"}, random);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"1", "1", "0"}));
    EXPECT_EQ(random.requests, (std::vector<int>{3, 3, 3}));
}

// Rows of the given classes whose stage-2 start cells the draw fills ("x" before).
CompetitorTable classesOfRows(const Cells& classes) {
    CompetitorTable table;
    for (const std::string& cls : classes) {
        TableRow row;
        row[column::kClass] = cls;
        row[column::start(2)] = "x";
        table.appendRow(row);
    }
    return table;
}

TEST(ResultsDraw, EachClassGetsItsOwnSequenceInTheOrderOfThePreviousRanking) {
    // Rows 1-3 and 5 H21, row 4 D21; row 5 has no previous result.
    const Cells classes{"H21", "H21", "H21", "D21", "H21"};
    const std::vector<int> ranking{1, 4, 3, 2}; // best first
    struct Case {
        std::string drawClass;
        bool bestFirst;
        Cells starts;
    };
    for (const Case& c : std::vector<Case>{{"H21", false, {"6", "2", "4", "x", "x"}},
                                           {"H21", true, {"2", "6", "4", "x", "x"}},
                                           {"all", false, {"6", "2", "4", "2", "x"}},
                                           {"v\x9A"
                                            "e",
                                            true,
                                            {"2", "6", "4", "2", "x"}}}) {
        auto table = classesOfRows(classes);
        Draw draw;
        SeededRandom random(1);
        draw.run(table,
                 {.drawClass = c.drawClass,
                  .stage = 2,
                  .byResults = true,
                  .bestFirst = c.bestFirst,
                  .previousRanking = ranking},
                 random, Language::English);
        EXPECT_EQ(columnCells(table, column::start(2)), c.starts) << c.drawClass << c.bestFirst;
        const int set = c.drawClass == "H21" ? 3 : 4;
        EXPECT_EQ(draw.log.lines(),
                  (Cells{"Start times of E2 by the results of E1, competitors: " + std::to_string(set)}));
    }
}

TEST(ResultsDraw, StageOneChangesNothingAndTheFirstStartComesOneIntervalAfterTheFirstStart) {
    auto table = classesOfRows({"H21", "H21"});
    Draw first;
    SeededRandom random(1);
    first.run(table, {.drawClass = "H21", .stage = 1, .byResults = true, .previousRanking = {1, 2}}, random);
    EXPECT_TRUE(first.log.lines().empty());
    EXPECT_EQ(columnCells(table, column::start(2)), (Cells{"x", "x"}));

    Draw draw;
    draw.run(table,
             {.drawClass = "H21",
              .stage = 2,
              .interval = "2.5",
              .firstStart = "10",
              .byResults = true,
              .previousRanking = {1, 2}},
             random);
    EXPECT_EQ(columnCells(table, column::start(2)), (Cells{"15", "12.5"}));
}

TEST(ResultsDraw, UnreadableIntervalStopsWithoutChanges) {
    auto table = classesOfRows({"H21"});
    Draw draw;
    SeededRandom random(1);
    draw.run(table,
             {.drawClass = "H21", .stage = 2, .interval = "2x", .byResults = true, .previousRanking = {1}},
             random, Language::English);
    EXPECT_EQ(table.cell(1, column::start(2)), "x");
    EXPECT_EQ(draw.log.lines(),
              (Cells{"The interval or the first start is not a number, the start times were not changed."}));
}

TEST(SwitchTimes, ExchangesTheLastExactMatches) {
    auto table = tableWithColumn(column::start(1), {"12", "14", "12", "12.0"});
    LogLines log;
    switchStartTimes(table, 1, "12", "14", Language::Czech, log);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"12", "12", "14", "12.0"}));
    EXPECT_TRUE(log.lines().empty());

    switchStartTimes(table, 1, "12", "13", Language::English, log);
    EXPECT_EQ(columnCells(table, column::start(1)), (Cells{"12", "12", "14", "12.0"}));
    EXPECT_EQ(log.lines(), (Cells{"One of the start times has not been found."}));
}

} // namespace
} // namespace ravik
