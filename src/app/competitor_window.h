#pragma once
// The competitor window: the competitor table tabulka, its commands and the
// start-time draw.
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ravik {

class RavikApp;

class CompetitorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPopupItems = 11;

    explicit CompetitorWindow(RavikApp& app);

    QLabel* Label1; // heading, also the window title
    QLabel* nazev_zavodu;
    QTableWidget* tabulka;
    QMenu* PopupMenu1;
    QAction* PopupItem[kPopupItems]; // objectNames PopupItem0 .. PopupItem10

    QPushButton* Button2;  // save
    QPushButton* Button3;  // text import window
    QPushButton* Button4;  // add a row
    QPushButton* Button5;  // fill missing IDs
    QPushButton* Button8;  // clear results
    QPushButton* Button10; // IOF XML import
    QProgressBar* Gauge1;

    // Start-time draw.
    QGroupBox* GroupBox1;
    QLabel* Label3;
    QComboBox* los_kat;
    QLabel* Label5;
    QComboBox* los_e;
    QLineEdit* interval;
    QLabel* Label4;
    QLineEdit* pstart;
    QCheckBox* nahoda;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* Button6;
    QLineEdit* sw1;
    QLineEdit* sw2;
    QPushButton* Button9;

private:
    void buildTable();
    void buildDrawGroup();
    void layOut();

    RavikApp& app_;
};

} // namespace ravik
