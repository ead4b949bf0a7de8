#pragma once
// A small round lamp (the main window's Shape1): the read-out pass changes its
// colour at every pass, so the user sees that the poll is alive.
#include <QColor>
#include <QWidget>

namespace ravik {

class Lamp : public QWidget {
    Q_OBJECT
public:
    static QColor silver() { return QColor(192, 192, 192); }

    explicit Lamp(QWidget* parent = nullptr);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    QSize sizeHint() const override { return QSize(16, 16); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = silver();
};

} // namespace ravik
