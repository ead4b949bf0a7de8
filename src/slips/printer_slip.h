#pragma once
// The printed slip: the layout chosen beside "Rotate 90°", its page, and the
// slip brought onto one page whatever its length and the zoom.
#include "core/print_layout.h"
#include "slips/printout_layout.h"

namespace ravik {

struct PrintSetup {
    PrintLayout layout = PrintLayout::A4; // tisk_format
    int zoom = 10;                        // zoom, 1 to 50 (A4 only)
    bool portrait = false;                // CheckBox5 "Rotate 90°" (A4 only; a roll is one column)
};

struct PrinterSlip {
    DrawingList list; // printer units (1/96 inch) from the printable area's top-left corner
    double pageWidthMm = 0, pageHeightMm = 0; // the sheet as it lies: landscape is wider than high
    double marginMm = 0;                      // on every side
};

// A4: the zoomed layout on the sheet in the orientation asked for, scaled down as
// a whole where it would run past the printable area. A roll: its column, and a
// page as long as the slip.
PrinterSlip printerSlip(const PrintoutData& data, const PrintoutOptions& options, const PrintSetup& setup);

// Scales positions and fonts down together (keeping the proportions) so that the
// list fits width × height printer units; a list that fits stays as it is.
void fitToArea(DrawingList& list, double width, double height);

} // namespace ravik
