#include "app/printout_painter.h"

#include <QPrinter>

namespace ravik {

bool printSlip(QPrinter& printer, const PrinterSlip& slip, const QString& title) {
    // Printer units are 1/96 inch, the unit the layout measures in.
    printer.setResolution(96);
    printer.setDocName(title);
    return paintSlip(printer, slip);
}

} // namespace ravik
