#pragma once
// Printing a slip on a real printer (QPrinter needs PrintSupport, which links the
// widgets); the painting itself is the drawing library's.
#include "drawing/slip_painter.h"

#include <QString>

class QPrinter;

namespace ravik {

// One print job titled `title` on the slip's page and margins. Where the printer
// keeps wider margins than asked, the slip is scaled down to its printable area.
// False when the printer cannot be opened (nothing is printed).
bool printSlip(QPrinter& printer, const PrinterSlip& slip, const QString& title);

} // namespace ravik
