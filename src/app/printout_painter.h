#pragma once
// Painting a printout's drawing list on any paint device: the preview's paint
// area, the default printer, or a PDF file.
#include "slips/printer_slip.h"

#include <QString>

class QPainter;
class QPrinter;

namespace ravik {

// Texts with their top-left corner at the position, in the list's point size and
// weight (points of 1/72 of the device's 96 units per inch); rules as horizontal
// lines. Texts are code page 1250.
void paintDrawingList(QPainter& painter, const DrawingList& list);

// One print job titled `title` on the slip's page and margins. Where the printer
// keeps wider margins than asked, the slip is scaled down to its printable area.
// False when the printer cannot be opened (nothing is printed).
bool printSlip(QPrinter& printer, const PrinterSlip& slip, const QString& title);

} // namespace ravik
