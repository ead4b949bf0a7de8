#pragma once
// The competitor window: the competitor table tabulka, its commands and the
// start-time draw.
#include "entries/table_sorts.h"

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

    // The stage of the draw's stage box los_e (1 when it holds no stage).
    int drawStage() const;
    // Shows the core table in tabulka (after commands and saves).
    void refreshTable();
    // The save of the competitor file from the table.
    void saveTable();

    // Commands.
    void onAddRow();
    void onFillIds();
    void onClearResults();
    void onDeleteRow();
    void onSort(int item);
    void onShowTextImport();
    void onImportXml();
    void onDraw();
    void onSwitchTimes();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTable();
    void buildDrawGroup();
    void layOut();
    void connectCommands();
    // Steps of showing the window: race name, class slots, headings, table, class box.
    void loadOnShow();
    void onCellEdited(int row, int col);
    void preparePopup();

    RavikApp& app_;
    ClassSlots classSlots_;
    bool refreshing_ = false;
    int popupRow_ = 0; // the competitor row item 0 deletes
};

} // namespace ravik
