// The printed slip on its paper: the zoom, the page it must fit, and the receipt rolls.
#include "slips/printer_slip.h"

#include "slip_data.h"
#include "slips/text_metrics.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::busyCompetitor;
using test::smallestFont;

std::vector<std::string> textsOf(const DrawingList& list) {
    std::vector<std::string> texts;
    for (const DrawnText& text : list.texts)
        texts.push_back(text.text);
    return texts;
}

// What the margins leave of the sheet, in printer units.
Extent printableArea(const PrinterSlip& slip) {
    return {(slip.pageWidthMm - 2 * slip.marginMm) * kUnitsPerMm,
            (slip.pageHeightMm - 2 * slip.marginMm) * kUnitsPerMm};
}

void expectOnThePage(const PrinterSlip& slip) {
    const Extent used = extentOf(slip.list), room = printableArea(slip);
    EXPECT_LE(used.width, room.width);
    EXPECT_LE(used.height, room.height);
}

TEST(PrinterSlip, AtEveryZoomTheSheetKeepsItsTextsApartAndAtLeastSevenPoint) {
    for (const PrintoutData& d : {busyCompetitor(14, 3), busyCompetitor(26, 0), busyCompetitor(2, 1)})
        for (const bool portrait : {false, true})
            for (int zoom = 1; zoom <= 50; ++zoom) {
                SCOPED_TRACE(testing::Message()
                             << "zoom " << zoom << (portrait ? " portrait" : " landscape"));
                const PrinterSlip slip =
                    printerSlip(d, {.markWrongAnswers = true}, {.zoom = zoom, .portrait = portrait});
                EXPECT_EQ(slip.pageWidthMm, portrait ? 210 : 297);
                EXPECT_FALSE(anyOverlap(slip.list));
                EXPECT_GE(smallestFont(slip.list), 7);
                expectOnThePage(slip);
            }
}

TEST(PrinterSlip, AFreshInstallPrintsASlipOfAboutHalfAnA4Page) {
    // No settings file: the zoom slider stands at 1.
    const PrinterSlip slip = printerSlip(busyCompetitor(14, 3), {}, {.zoom = 1});
    const double lengthMm = extentOf(slip.list).height / kUnitsPerMm;
    EXPECT_GT(lengthMm, 0.4 * 297);
    EXPECT_LT(lengthMm, 0.6 * 297);
    EXPECT_EQ(smallestFont(slip.list), 7);
}

TEST(PrinterSlip, ASlipPastThePageIsScaledDownAsAWholeAndOneThatFitsIsKept) {
    const PrintoutData fits = busyCompetitor(14, 3);
    EXPECT_EQ(printerSlip(fits, {}, {.zoom = 10, .portrait = true}).list, printerPrintout(fits, {}, 10));

    const PrintoutData big = busyCompetitor(40, 20);
    for (const int zoom : {1, 10, 50})
        for (const bool portrait : {false, true}) {
            const DrawingList given = printerPrintout(big, {}, zoom);
            const PrinterSlip slip = printerSlip(big, {}, {.zoom = zoom, .portrait = portrait});
            expectOnThePage(slip);
            EXPECT_FALSE(anyOverlap(slip.list));
            ASSERT_EQ(textsOf(slip.list), textsOf(given));
            const double factor = slip.list.texts[0].pointSize / given.texts[0].pointSize;
            EXPECT_LT(factor, 1);
            for (std::size_t i = 0; i < given.texts.size(); ++i) {
                EXPECT_DOUBLE_EQ(slip.list.texts[i].pointSize, given.texts[i].pointSize * factor);
                EXPECT_NEAR(slip.list.texts[i].x, given.texts[i].x * factor, 1);
                EXPECT_NEAR(slip.list.texts[i].y, given.texts[i].y * factor, 1);
            }
        }
}

TEST(ReceiptSlip, EachRollIsOneColumnOfItsWidthWithTheSheetsTextsInOrder) {
    struct Case {
        PrintLayout layout;
        double paperMm, columnMm;
    };
    for (const Case& roll : {Case{PrintLayout::Receipt80, 80, 72}, Case{PrintLayout::Receipt58, 58, 48}})
        for (const PrintoutData& d : {busyCompetitor(40, 20), busyCompetitor(1, 0)}) {
            SCOPED_TRACE(roll.paperMm);
            const PrinterSlip slip =
                printerSlip(d, {.markWrongAnswers = true}, {.layout = roll.layout, .portrait = true});
            EXPECT_EQ(slip.pageWidthMm, roll.paperMm);
            EXPECT_EQ(slip.pageWidthMm - 2 * slip.marginMm, roll.columnMm);
            EXPECT_GT(slip.pageHeightMm, slip.pageWidthMm / 2);
            expectOnThePage(slip);
            EXPECT_LT(printableArea(slip).height - extentOf(slip.list).height, kUnitsPerMm)
                << "no paper wasted";
            EXPECT_FALSE(anyOverlap(slip.list));
            EXPECT_GE(smallestFont(slip.list), 8);
            EXPECT_EQ(textsOf(slip.list), textsOf(printerPrintout(d, {.markWrongAnswers = true}, 10)));
        }
    // One column: each control on a line of its own, in number order.
    const DrawingList column =
        printerSlip(busyCompetitor(40, 0), {}, {.layout = PrintLayout::Receipt80}).list;
    int lastY = -1;
    for (const DrawnText& text : column.texts)
        if (text.bold && text.text.find(": ") != std::string::npos && text.text.rfind("TC", 0) != 0) {
            EXPECT_GT(text.y, lastY) << text.text;
            lastY = text.y;
        }
}

TEST(ReceiptSlip, ALongNameGoesOnAsManyLinesAsTheColumnNeeds) {
    PrintoutData d = busyCompetitor(2, 0);
    d.name = "Alexandra Sklen\xE1\xF8ov\xE1-Vondr\xE1\xE8kov\xE1 z Ji\xE8\xEDna";
    const PrinterSlip slip = printerSlip(d, {}, {.layout = PrintLayout::Receipt58});
    // Broken between words and after the hyphen: the lines hold the whole name.
    std::string name;
    std::size_t line = 0;
    for (; slip.list.texts[line].text != d.className + ", 2045117, ID:12"; ++line)
        name += (line && name.back() != '-' ? " " : "") + slip.list.texts[line].text;
    EXPECT_EQ(name, d.name);
    EXPECT_GE(line, 3u);
    expectOnThePage(slip);
    EXPECT_FALSE(anyOverlap(slip.list));
}

} // namespace
} // namespace ravik
