#pragma once
// Painting a printout's drawing list on any paint device: the preview's paint
// area, the default printer, or a PDF file.
#include "slips/printout_layout.h"

#include <QString>

class QPainter;
class QPrinter;

namespace ravik {

// Texts with their top-left corner at the position, in the list's point size and
// weight; rules as horizontal lines. Texts are code page 1250.
void paintDrawingList(QPainter& painter, const DrawingList& list);

// One print job titled `title`, landscape unless portrait. False when the
// printer cannot be opened (nothing is printed).
bool printDrawingList(QPrinter& printer, const DrawingList& list, const QString& title, bool portrait);

} // namespace ravik
