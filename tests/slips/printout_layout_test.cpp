#include "slips/printout_layout.h"

#include "slip_data.h"
#include "slips/text_metrics.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ravik;
using ravik::test::competitorWithAnswers;

namespace {

const DrawnText* find(const DrawingList& list, const std::string& text) {
    auto found = std::find_if(list.texts.begin(), list.texts.end(),
                              [&](const DrawnText& t) { return t.text == text; });
    return found == list.texts.end() ? nullptr : &*found;
}

} // namespace

TEST(PrintoutLayout, TwelveControlsStandInTwoColumnsSideBySide) {
    const DrawingList list = windowPrintout(competitorWithAnswers(12), {});
    const DrawnText* first = find(list, "1: A");
    const DrawnText* seventh = find(list, "7: A");
    ASSERT_TRUE(first && seventh);
    EXPECT_EQ(first->x, 10);
    EXPECT_EQ(first->y, 16 + 88);
    EXPECT_TRUE(first->bold);
    EXPECT_EQ(seventh->x, 140);
    EXPECT_EQ(seventh->y, first->y); // control 7 beside control 1
    EXPECT_EQ(find(list, "6: A")->x, 10);
    EXPECT_EQ(find(list, "01:07")->x, 190); // split of control 7
    // Second rule at U = H·16 + 120 with H = 6.
    EXPECT_EQ(list.rules.at(1).y, 6 * 16 + 120);
}

TEST(PrintoutLayout, ALoneFirstControlStandsInTheRightColumn) {
    const DrawingList list = windowPrintout(competitorWithAnswers(1), {});
    const DrawnText* first = find(list, "1: A");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->x, 140);
    EXPECT_EQ(first->y, 16 + 88);
}

TEST(PrintoutLayout, WrongAnswersAreMarkedOnlyWhenAsked) {
    PrintoutData d = competitorWithAnswers(3);
    d.wrong[1] = true;
    EXPECT_TRUE(find(windowPrintout(d, {}), "2: A"));
    const DrawingList marked = windowPrintout(d, {.markWrongAnswers = true});
    EXPECT_TRUE(find(marked, "2: A*"));
    EXPECT_TRUE(find(marked, "1: A"));
    EXPECT_FALSE(find(marked, "1: A*"));
}

TEST(PrintoutLayout, AVoidedControlAndTaskShowAnXTheControlInGrey) {
    PrintoutData d = competitorWithAnswers(3);
    d.voided[1] = true;
    d.tcAnswer[0] = {"A", "B"};
    d.taskCount[0] = 2;
    d.tcVoided[0][1] = true;
    for (const DrawingList& list :
         {windowPrintout(d, {.markWrongAnswers = true}), printerPrintout(d, {}, 10)}) {
        const DrawnText* voided = find(list, "2: X");
        ASSERT_TRUE(voided);
        EXPECT_TRUE(voided->grey);
        EXPECT_FALSE(find(list, "1: A")->grey);
        EXPECT_TRUE(find(list, "TC1: A X "));
    }
}

TEST(PrintoutLayout, TimesSplitsAndPenalties) {
    PrintoutData d = competitorWithAnswers(2);
    d.split[0] = 3725;
    d.overtime = 2;
    d.break1 = 125;
    d.tcTotal = 215;
    d.tcAnswer[0] = {"A", "", "C"};
    d.taskCount[0] = 4;
    d.tcTime[0] = 95;
    d.tcPenalty[0] = 60;
    d.tcAnswer[2] = {"", "B"}; // station 3: task 1 unanswered, so the station is not listed
    const DrawingList list = windowPrintout(d, {});
    EXPECT_TRUE(find(list, "02:05"));
    EXPECT_TRUE(find(list, "95:07 = Pen:2"));
    EXPECT_TRUE(find(list, "Brk1: 2:05"));
    EXPECT_TRUE(find(list, "Start: 10:02:00   Finish: 11:37:07"));
    EXPECT_TRUE(find(list, "Time Control: 215 s"));
    const DrawnText* station = find(list, "TC1: A - C - ");
    ASSERT_TRUE(station);
    const int u = 1 * 16 + 120;
    EXPECT_EQ(station->y, u + 16 + 10);
    const DrawnText* time = find(list, "95 +60 pen");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->x, 7 * 13 + 18);
    EXPECT_FALSE(find(list, "TC3:  B "));
    EXPECT_EQ(list.rules.at(2).y, u + 16 + 40);
    const DrawnText* place = find(list, "Preliminary: 3. m\xEDsto z 17 v H21");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->y, u + 16 + 40 + 10);
    EXPECT_EQ(list.height, u + 16 + 40 + 100);
}

TEST(PrintoutLayout, PrinterLayoutIsScaledByTheZoom) {
    PrintoutData d = competitorWithAnswers(2);
    const DrawingList list = printerPrintout(d, {}, 10); // Y = 2, X = 1.3
    const DrawnText* finish = find(list, "Finish: 11:37:07");
    ASSERT_TRUE(finish);
    EXPECT_EQ(finish->y, 58 * 2);
    const DrawnText* second = find(list, "2: A");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->x, static_cast<int>(150 * 1.3));
    EXPECT_EQ(second->y, (1 * 16 + 108) * 2);
    EXPECT_EQ(list.rules.at(0).y, 98 * 2);
    EXPECT_EQ(list.rules.at(0).x2, 390);
    EXPECT_EQ(finish->pointSize, 10);
    EXPECT_TRUE(find(printerPrintout(d, {.language = Language::English}, 10), "3 place of 17 in H21"));

    // Zoom 1 is 0.7 of zoom 10, zoom 50 seven thirds of it; the fonts go with the positions.
    const DrawingList small = printerPrintout(d, {}, 1);
    EXPECT_EQ(find(small, "2: A")->x, static_cast<int>(150 * 1.3 * 0.7));
    EXPECT_DOUBLE_EQ(find(small, "Finish: 11:37:07")->pointSize, 7);
    const DrawingList large = printerPrintout(d, {}, 50);
    EXPECT_EQ(find(large, "Finish: 11:37:07")->y, static_cast<int>(58 * 2 * 70 / 30.0));
    EXPECT_NEAR(find(large, "Nov\xE1k Jan")->pointSize, 14 * 70 / 30.0, 1e-9);
}

TEST(PrintoutLayout, CaptionsCarryTheNameAndId) {
    const PrintoutData d = competitorWithAnswers(1);
    EXPECT_EQ(previewCaption(d), "Mezičasy - Novák Jan (ID:12)");
    EXPECT_EQ(printJobTitle(d), "Ravik - Novák Jan");
}

TEST(PrintoutLayout, ThePreviewsTextsStayApartAtTheirPositions) {
    // "Finish: HH:MM:SS" used to run into "Brk1: ...".
    for (const PrintoutData& d : {test::busyCompetitor(26, 0), test::busyCompetitor(40, 20),
                                  test::busyCompetitor(3, 2), competitorWithAnswers(12)}) {
        const DrawingList list = windowPrintout(d, {.markWrongAnswers = true});
        EXPECT_FALSE(anyOverlap(list));
        EXPECT_GE(test::smallestFont(list), 7);
        EXPECT_EQ(list.texts.front().x, 0); // the positions stay those of the window
        EXPECT_EQ(list.texts.at(1).y, 22);
    }
}

TEST(PrintoutLayout, ASprintSlipShowsTheRankingTimeAsCourseTimeInItsLanguage) {
    PrintoutData d = competitorWithAnswers(2);
    d.sprint = true;
    d.raceTime = 560;
    d.rankingTime = 504;
    d.overtime = 1;
    EXPECT_TRUE(find(windowPrintout(d, {.language = Language::English}), "Course time: 8:24 = Pen:1"));
    EXPECT_TRUE(find(windowPrintout(d, {.language = Language::Czech}), "\xC8"
                                                                       "as na trati: 8:24 = Pen:1"));
}
