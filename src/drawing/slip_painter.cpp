#include "drawing/slip_painter.h"

#include "drawing/pdf_file.h"
#include "drawing/qt_text.h"
#include "slips/text_metrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace ravik {

void paintDrawingList(QPainter& painter, const DrawingList& list) {
    painter.save();
    painter.setPen(Qt::black);
    QFont font = painter.font();
    // The layout counts 96 units to the inch; a device of other dots per inch
    // would otherwise draw the same point size larger or smaller than its room.
    const double toDevice = 96.0 / painter.device()->logicalDpiY();
    for (const DrawnText& text : list.texts) {
        const QString shown = fromCp1250(text.text);
        font.setPointSizeF(text.pointSize * toDevice);
        font.setBold(text.bold);
        // A face wider than the layout's measure is narrowed to the room it was given.
        const double room = textWidth(text.text, text.pointSize, text.bold);
        const double wide = QFontMetricsF(font, painter.device()).horizontalAdvance(shown);
        if (wide > room && room > 0) font.setPointSizeF(text.pointSize * toDevice * room / wide);
        painter.setFont(font);
        painter.setPen(text.grey ? Qt::gray : Qt::black);
        // The position is the text's top-left corner, as the printout tables give it.
        const QRect box(text.x, text.y, 100000, 100000);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shown);
    }
    for (const DrawnRule& rule : list.rules)
        painter.drawLine(rule.x1, rule.y, rule.x2, rule.y);
    painter.restore();
}

bool paintSlip(QPagedPaintDevice& device, const PrinterSlip& slip) {
    const bool landscape = slip.pageWidthMm > slip.pageHeightMm;
    const QPageSize size(
        QSizeF(std::min(slip.pageWidthMm, slip.pageHeightMm), std::max(slip.pageWidthMm, slip.pageHeightMm)),
        QPageSize::Millimeter);
    // One by one: a printer that refuses the margins (narrower than it can print)
    // still takes the paper and the orientation.
    device.setPageSize(size);
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const double m = slip.marginMm;
    device.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
    DrawingList list = slip.list;
    const QRectF printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    fitToArea(list, printable.width(), printable.height());
    QPainter painter;
    if (!painter.begin(&device)) return false;
    paintDrawingList(painter, list);
    return painter.end();
}

void writeSlipPdf(const PrinterSlip& slip, const std::string& title, const std::string& path) {
    writePdfAtomically(path, [&](QPdfWriter& writer) {
        writer.setTitle(fromUtf8(title));
        return paintSlip(writer, slip);
    });
}

} // namespace ravik
