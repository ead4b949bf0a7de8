#pragma once
// The printout window: the preview of one competitor's result printout, drawn on
// a paint area of 297 × 1000 pixels.
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

    QScrollArea* scroller;
    PrintoutArea* printout;

private:
    RavikApp& app_;
};

} // namespace ravik
