#include "app/print_preview_window.h"

#include "app/application.h"
#include "app/printout_painter.h"
#include "app/widgets.h"
#include "core/captions.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ravik {

PrintoutArea::PrintoutArea(QWidget* parent) : QWidget(parent) {
    setFixedSize(PrintPreviewWindow::kAreaWidth, PrintPreviewWindow::kAreaHeight);
}

void PrintoutArea::setDrawing(Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

void PrintoutArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, 300, 1000), palette().color(QPalette::Window));
    if (drawing_) drawing_(painter);
}

PrintPreviewWindow::PrintPreviewWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kPrintPreview));
    setWindowTitle(QStringLiteral("Mezičasy"));
    scroller = named<QScrollArea>("scroller", this);
    printout = new PrintoutArea;
    printout->setObjectName(QStringLiteral("printout"));
    scroller->setWidget(printout);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(scroller);
    resize(kAreaWidth + 24, 700);
}

void PrintPreviewWindow::drawPrintout(const DrawingList& list, const QString& caption) {
    drawing_ = list;
    setWindowTitle(caption);
    resize(width(), list.height);
    printout->setDrawing([this](QPainter& painter) { paintDrawingList(painter, drawing_); });
}

} // namespace ravik
