#pragma once
// The browser window: an embedded web browser that shows a generated page.
#include <QWidget>

class QWebEngineView;

namespace ravik {

class BrowserWindow : public QWidget {
    Q_OBJECT
public:
    BrowserWindow();

    // Navigates to the page file (an absolute path) and titles the window with the
    // path; the window is shown only when asked.
    void showPage(const QString& absolutePath, bool show);

    QWebEngineView* browser;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The browser fills the window but for a margin right and below.
    void fitBrowser();
};

} // namespace ravik
