#include "app/browser_window.h"

#include "app/widgets.h"
#include "core/captions.h"

#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWebEngineView>

namespace ravik {

BrowserWindow::BrowserWindow() : QWidget(nullptr) {
    setObjectName(QLatin1String(window::kBrowser));
    browser = named<QWebEngineView>("browser", this);
    resize(928, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    fitBrowser();
}

void BrowserWindow::showPage(const QString& absolutePath, bool show) {
    browser->setUrl(QUrl::fromLocalFile(absolutePath));
    setWindowTitle(absolutePath);
    if (show) {
        this->show();
        raise();
    }
}

void BrowserWindow::fitBrowser() {
    browser->setGeometry(0, 0, width() - 18, height() - 36);
}

void BrowserWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitBrowser();
}

void BrowserWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitBrowser();
}

} // namespace ravik
