#include "slips/printer_slip.h"

#include "slips/receipt_layout.h"
#include "slips/text_metrics.h"

#include <algorithm>
#include <cmath>

namespace ravik {
namespace {

constexpr double kA4ShortMm = 210, kA4LongMm = 297;
// Inside what office printers can reach at the edges.
constexpr double kA4MarginMm = 6;

PrinterSlip onSheet(const PrintoutData& data, const PrintoutOptions& options, const PrintSetup& setup) {
    PrinterSlip slip;
    slip.list = printerPrintout(data, options, setup.zoom);
    slip.pageWidthMm = setup.portrait ? kA4ShortMm : kA4LongMm;
    slip.pageHeightMm = setup.portrait ? kA4LongMm : kA4ShortMm;
    slip.marginMm = kA4MarginMm;
    fitToArea(slip.list, (slip.pageWidthMm - 2 * kA4MarginMm) * kUnitsPerMm,
              (slip.pageHeightMm - 2 * kA4MarginMm) * kUnitsPerMm);
    return slip;
}

PrinterSlip onRoll(const PrintoutData& data, const PrintoutOptions& options, const Roll& roll) {
    PrinterSlip slip;
    slip.list = receiptPrintout(data, options, roll);
    slip.marginMm = (roll.paperMm - roll.columnMm) / 2;
    slip.pageWidthMm = roll.paperMm;
    slip.pageHeightMm = std::ceil(extentOf(slip.list).height / kUnitsPerMm + 2 * slip.marginMm);
    return slip;
}

} // namespace

PrinterSlip printerSlip(const PrintoutData& data, const PrintoutOptions& options, const PrintSetup& setup) {
    switch (setup.layout) {
    case PrintLayout::Receipt80:
        return onRoll(data, options, kRoll80);
    case PrintLayout::Receipt58:
        return onRoll(data, options, kRoll58);
    case PrintLayout::A4:
        break;
    }
    return onSheet(data, options, setup);
}

void fitToArea(DrawingList& list, double width, double height) {
    const Extent extent = extentOf(list);
    const double factor =
        std::min({1.0, width / std::max(extent.width, 1.0), height / std::max(extent.height, 1.0)});
    if (factor >= 1.0) return;
    auto scaled = [factor](int value) { return static_cast<int>(std::floor(value * factor)); };
    for (DrawnText& text : list.texts) {
        text.x = scaled(text.x);
        text.y = scaled(text.y);
    }
    for (DrawnRule& rule : list.rules) {
        rule.y = scaled(rule.y);
        rule.x1 = scaled(rule.x1);
        rule.x2 = scaled(rule.x2);
    }
    scaleFonts(list, factor);
}

} // namespace ravik
