#pragma once
// Painting a printout's drawing list on any paint device: the preview's paint
// area, a printer's page or a PDF file. QtGui only: the command line links it
// without the windows.
#include "slips/printer_slip.h"

#include <string>

class QPainter;
class QPagedPaintDevice;

namespace ravik {

// Texts with their top-left corner at the position, in the list's point size and
// weight (points of 1/72 of the device's 96 units per inch); rules as horizontal
// lines. Texts are code page 1250.
void paintDrawingList(QPainter& painter, const DrawingList& list);

// The slip on the device's page: the slip's paper, orientation and margins set,
// then drawn scaled down to the printable area where the device keeps wider
// margins than asked. The device counts 96 units to the inch (its resolution is
// set by the caller). False when the device cannot be painted on.
bool paintSlip(QPagedPaintDevice& device, const PrinterSlip& slip);

// The slip as a one-page PDF titled `title` (UTF-8), written whole or not at all
// (IoError).
void writeSlipPdf(const PrinterSlip& slip, const std::string& title, const std::string& path);

} // namespace ravik
