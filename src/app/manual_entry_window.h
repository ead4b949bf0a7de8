#pragma once
// The manual punch entry window: punches and timed-control answers of one
// competitor of the current stage, typed in and saved to his files.
#include "readout/manual_entry.h"

#include <QWidget>

#include <array>

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

    // The model behind the controls (the core's manual entry).
    ManualEntry& entry() { return entry_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onIdChosen(int index);
    void onNameChosen(int index);
    void onSavePunch();
    void onSaveTimedControls();
    void onSaveAll();
    void onPreoCellChanged(int row, int column);
    void onTempoCellChanged(int row, int column);
    void onTempoCellSelected(int row, int column, int previousRow, int previousColumn);
    // Key down in a grid: the key code in the top-left cell, right arrow and delete.
    bool gridKeyPressed(QTableWidget* grid, int key);

    // Controls into the model, and the model into the controls.
    void readEdits();
    void showEntry();
    void showLists();
    void showGrid(QTableWidget* grid, const TextGrid& cells);
    void showTimeFormatTest();
    std::array<QLineEdit*, kTimeEdits> timeEdits() const;

    RavikApp& app_;
    ManualEntry entry_;
    bool showing_ = false; // controls being filled from the model: no events back
};

} // namespace ravik
