#pragma once
// The printout window: the preview of one competitor's result printout, drawn on
// a paint area of 297 × 1000 pixels.
#include "slips/printout_layout.h"

#include <QWidget>
#include <functional>

class QPainter;
class QScrollArea;

namespace ravik {

class RavikApp;

// The paint area: the background, then whatever the current drawing paints.
class PrintoutArea : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(QPainter&)>;

    explicit PrintoutArea(QWidget* parent = nullptr);
    void setDrawing(Drawing drawing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
};

class PrintPreviewWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAreaWidth = 297;
    static constexpr int kAreaHeight = 1000;

    explicit PrintPreviewWindow(RavikApp& app);

    // Draws the window layout of one printout under the caption; the window's
    // height becomes the list's height. The drawing is kept, so the preview is
    // painted again whenever it is uncovered.
    void drawPrintout(const DrawingList& list, const QString& caption);
    // The printout drawn last (empty before the first).
    const DrawingList& drawing() const { return drawing_; }

    QScrollArea* scroller;
    PrintoutArea* printout;

private:
    RavikApp& app_;
    DrawingList drawing_;
};

} // namespace ravik
