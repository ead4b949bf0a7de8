#pragma once
// The manual punch entry window: punches and timed-control answers of one
// competitor of the current stage, typed in and saved to his files.
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ravik {

class RavikApp;

class ManualEntryWindow : public QWidget {
    Q_OBJECT
public:
    explicit ManualEntryWindow(RavikApp& app);

    // The competitor.
    QComboBox* ID;
    QComboBox* Jmeno;
    QLabel* cip;
    QLabel* kat;
    QLabel* SI1;

    // Times "HH:MM:SS" and the date.
    QLineEdit* start;
    QLineEdit* cil;
    QLabel* x1_od_label;
    QLineEdit* x1_od;
    QLabel* x1_do_label;
    QLineEdit* x1_do;
    QLabel* x2_od_label;
    QLineEdit* x2_od;
    QLabel* x2_do_label;
    QLineEdit* x2_do;
    QLineEdit* SI7;
    QLabel* Label25;

    QTableWidget* prukazkaPreO;
    QTableWidget* prukazkaTempO;

    QPushButton* Button3; // save punches
    QPushButton* Button4; // save timed controls
    QPushButton* Button2; // save both

private:
    RavikApp& app_;
};

} // namespace ravik
