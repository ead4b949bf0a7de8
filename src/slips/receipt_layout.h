#pragma once
// The slip on a receipt roll: one column the printable width of the roll, one
// item under the other in the A4 sheet's order, as long as the slip needs.
#include "slips/printout_layout.h"

namespace ravik {

struct Roll {
    double paperMm;              // width of the roll
    double columnMm;             // what a receipt printer prints of it
    double title, large, normal; // font sizes, points
};

// 80 mm rolls print 72 mm, 58 mm rolls 48 mm: the usual heads of receipt printers.
inline constexpr Roll kRoll80{80, 72, 14, 12, 10};
inline constexpr Roll kRoll58{58, 48, 11, 10, 8};

// The list in printer units from the column's top-left corner. A text wider than
// the column goes on as many lines as it needs, broken between words.
DrawingList receiptPrintout(const PrintoutData& data, const PrintoutOptions& options, const Roll& roll);

} // namespace ravik
