#pragma once
// The class editor (title "Závod"): the stage header, the class list and, for
// the current class, the timed controls, the controls with their answers and
// station codes, the limit and the breaks.
#include "setup/class_editor.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ravik {

class RavikApp;

class ClassEditorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kControlRows = 20;
    static constexpr int kClusterRows = 20;
    static constexpr int kClassRows = 9;

    // Rows of the control grids are 21 pixels, so the right mouse button finds its row as y div 21.
    static constexpr int kTakeOverRowHeight = 21;

    explicit ClassEditorWindow(RavikApp& app);
    ~ClassEditorWindow() override;

    // The editor's rules and the values of its controls.
    ClassEditor& editor() { return editor_; }
    // Fills the window from the race file (also done when it is shown).
    void reload();

    // Stage header.
    QGroupBox* GroupBox5;
    QLabel* Label19;
    QLabel* etapa; // the stage being edited
    QComboBox* seznam_etap;
    QPushButton* Button7; // "+": add a stage
    QPushButton* Button2; // "-": remove the last stage
    QLabel* Label1;
    QLineEdit* zavod_datum;
    QLabel* Label2;
    QLabel* Label22;
    QLineEdit* zavod_misto;
    QLineEdit* zavod_start;
    QLineEdit* zavod_nazev;

    // Class list and current class.
    QGroupBox* GroupBox7;
    QTableWidget* seznam_kategorii; // 9 rows, one column: the class names of slots 1 to 9
    QGroupBox* GroupBox6;
    QLabel* kategorie;    // the class being edited
    QComboBox* ComboBox1; // copy the class from
    QPushButton* Button3; // "OK"

    // Timed controls: "Cluster n", tasks 1 to 9, the "X" switch.
    QGroupBox* GroupBox1;
    QTableWidget* XStringGrid1;
    QLineEdit* cas_penalizace;

    // Controls 1 to 20 and 21 to 40: title, flags, answer, codes A to F and Z.
    QGroupBox* GroupBox2;
    QLabel* Label3;
    QLabel* Label8;
    QLabel* Label11;
    QTableWidget* XStringGrid2;
    QTableWidget* XStringGrid3;

    // Limit, breaks, station numbering, save.
    QLineEdit* limit;
    QGroupBox* GroupBox3;
    QLabel* Label15;
    QLineEdit* P1od;
    QLabel* Label16;
    QLineEdit* P1do;
    QGroupBox* GroupBox4;
    QLabel* Label17;
    QLineEdit* P2od;
    QLabel* Label18;
    QLineEdit* P2do;
    // The class's format: PreO or PreO Sprint with its time factor and over-time interval.
    QLabel* LabelFormat;
    QComboBox* sprint_format; // items "PreO", "PreO Sprint"
    QLabel* LabelTimeFactor;
    QLineEdit* sprint_factor;
    QLabel* LabelOvertime;
    QLineEdit* sprint_overtime;
    QLabel* Label21;
    QLineEdit* pSI;
    QPushButton* SIEdit1;
    QPushButton* Button1;

public slots:
    void onSave();
    void onStageChosen(int index);
    void onAddStage();
    void onRemoveStage();
    void onClassSelected(int row);
    void onClassGroupEntered();
    void onCopyClass();
    void onNumberStations();
    void onClassListLeft();
    void onClusterGridLeft();
    void onControlGridLeft(QTableWidget* grid);
    // Right mouse button released at height y over XStringGrid2 or XStringGrid3.
    void onTakeOver(QTableWidget* grid, int y);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void onFocusChanged(QWidget* old, QWidget* now);
    // Reads the controls into the editor's view, runs the step, shows the view.
    void command(const std::function<void()>& step);
    void readView();
    void showView();

    void buildStageGroup();
    void buildClassGroups();
    void buildClusterGroup();
    void buildControlGroup();
    void buildLimitsAndBreaks();
    void layOut();

    RavikApp& app_;
    ClassEditor editor_;
    bool showing_ = false; // the window is filling its controls: no events of its own
};

} // namespace ravik
