#pragma once
// The results window (title "Výsledky"): stage results of the chosen classes,
// relay pages, overall results over several stages, the page parameters and the
// automatic regeneration of result pages.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ravik {

class RavikApp;

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResultsWindow(RavikApp& app);

    // Stage results.
    QGroupBox* GroupBox1;
    QLabel* Label2;
    QComboBox* ComboBox1; // stage
    QLabel* Label6;
    QListWidget* ListBox1; // classes, multi-select
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox18;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QLineEdit* Edit1; // penalty seconds per wrong PreO answer
    QCheckBox* CheckBox6;
    QRadioButton* RadioButton1; // Farsta
    QRadioButton* RadioButton2; // Motala
    QRadioButton* RadioButton3; // teams
    QLineEdit* Edit6;           // controls per leg of a team relay
    QCheckBox* CheckBox10;
    QLineEdit* Edit7; // qualification line after this many places
    QCheckBox* oris;
    QCheckBox* CheckBox20;
    QPushButton* Button2;

    // Overall results.
    QGroupBox* GroupBox6;
    QCheckBox* ee1;
    QCheckBox* ee2;
    QCheckBox* ee3;
    QCheckBox* ee4;
    QCheckBox* ee5;
    QLabel* Label7;
    QListWidget* ListBox2; // classes, multi-select
    QCheckBox* CheckBox9;
    QCheckBox* CheckBox21;
    QLabel* Label8;
    QLineEdit* nadpis;
    QPushButton* Button1;

    // Automatic regeneration.
    QGroupBox* GroupBox2;
    QCheckBox* CheckBox16;
    QLineEdit* Edit3;     // minutes
    QPushButton* Button3; // stop
    QPushButton* Button5; // info
    QTimer* Timer1;

    // Page parameters; Edit5 stands where the language puts it.
    QGroupBox* GroupBox3;
    QLineEdit* Edit2; // refresh period, seconds
    QCheckBox* CheckBox7;
    QLineEdit* Edit5; // rolling period, milliseconds
    QCheckBox* CheckBox8;
    QLineEdit* Edit4; // places held at the top

private:
    void buildStageGroup();
    void buildOverallGroup();
    void buildRegenerationGroup();
    void buildPageGroup();
    void layOut();

    RavikApp& app_;
};

} // namespace ravik
