#pragma once
// The text import window: fixed-column competitor lines typed or pasted into
// Memo1 and imported into the competitor table with Button1.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ravik {

class RavikApp;

class TextImportWindow : public QWidget {
    Q_OBJECT
public:
    explicit TextImportWindow(RavikApp& app);

    QLabel* Label2; // heading
    QLabel* Label1; // the column layout, above the text
    QPlainTextEdit* Memo1;
    QPushButton* Button1;

    // Imports every line of Memo1 into the stage of the draw's stage box, then saves.
    void onImport();

private:
    RavikApp& app_;
};

} // namespace ravik
