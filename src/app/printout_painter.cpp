#include "app/printout_painter.h"

#include "app/qt_text.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace ravik {

void paintDrawingList(QPainter& painter, const DrawingList& list) {
    painter.save();
    painter.setPen(Qt::black);
    QFont font = painter.font();
    for (const DrawnText& text : list.texts) {
        font.setPointSize(text.pointSize);
        font.setBold(text.bold);
        painter.setFont(font);
        // The position is the text's top-left corner, as the printout tables give it.
        const QRect box(text.x, text.y, 100000, 100000);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, fromCp1250(text.text));
    }
    for (const DrawnRule& rule : list.rules)
        painter.drawLine(rule.x1, rule.y, rule.x2, rule.y);
    painter.restore();
}

bool printDrawingList(QPrinter& printer, const DrawingList& list, const QString& title, bool portrait) {
    // Printer units are 1/96 inch, the window's pixels: at zoom 10 (twice the
    // window's spacing) the slip fits its fonts; a 1200 dpi unit would crowd it.
    printer.setResolution(96);
    printer.setDocName(title);
    printer.setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    paintDrawingList(painter, list);
    return painter.end();
}

} // namespace ravik
