#pragma once
// The main window: the hub of the program. It shows the open race and the
// current stage, holds the read-out fields, the print list and the log box, and
// opens every other window.
//
// Its commands live in area files so that each area grows on its own:
// main_window.cpp (construction, window guards, language buttons),
// main_window_race.cpp, main_window_readout.cpp, main_window_print.cpp,
// main_window_startlist.cpp and main_window_settings.cpp.
#include "core/folder_names.h"
#include "core/language.h"
#include "core/log_file.h"
#include "core/settings_file.h"
#include "setup/race_opening.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSplitter;
class QTimer;
class QToolButton;

namespace ravik {

class AssignCardDialog;
class Lamp;
class Prompt;
class RavikApp;
class Session;
class StationGroup;
struct ReadoutMemory;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(RavikApp& app);
    ~MainWindow() override;

    // The race path named on the command line; for now it only becomes the race path.
    void openRaceAtStart(const QString& racePath);
    // Shows the path in umisteni and makes it the open race (empty = no race open).
    void setRacePath(const QString& racePath);

    // Race data.
    QGroupBox* GroupBox1;
    QLabel* Label27;
    QLineEdit* umisteni;
    QPushButton* Button7;
    QToolButton* SpeedButton3;
    QPushButton* Button2;
    QLabel* nazev_zavodu;
    QLabel* hlavni_misto;
    QLabel* Label1;
    QComboBox* hlavni_etapa;
    QLineEdit* zavod_datum; // hidden: the stage date for the publishing window
    QPushButton* Button21;
    QPushButton* Button15;

    // HTML outputs.
    QGroupBox* GroupBox3;
    QPushButton* Button17;
    QPushButton* Button17Pdf; // the start list and its PDF
    QPushButton* Button1;
    QPushButton* Button20;

    // SI read-out.
    QGroupBox* GroupBox2;
    QLabel* Label10;
    QLineEdit* cestaSI;
    QPushButton* Button18;
    QToolButton* SpeedButton2;
    QCheckBox* CheckBox1;
    QLineEdit* novedatum;
    QPushButton* CSVjednou;
    QPushButton* CSVautomat;
    QToolButton* SpeedButton1;
    Lamp* Shape1;
    QLabel* Label2;
    QLineEdit* intervalCSV;
    QLabel* Label4;
    QPlainTextEdit* Memo2;
    QPushButton*
        assignCard; // "Přiřadit čip…": an unassigned card to a competitor (also a double click in Memo2)
    QCheckBox* CheckBox2;
    QPushButton* ButtonV;

    // Cards read straight from a SportIdent master station into cestaSI.
    StationGroup* GroupBoxStation;

    // Printouts.
    QGroupBox* GroupBox4;
    QListWidget* ListBox1;
    QPushButton* Button12;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* mezicasy_okno;
    QCheckBox* CheckBox5;
    QComboBox* tisk_format; // the paper: A4, receipt 80 mm, receipt 58 mm (PrintLayout order)
    QSlider* zoom;

    // Log box and language.
    QPlainTextEdit* Memo1;
    QSplitter* logSplitter; // read-out groups above, Memo1 below
    QPushButton* CZE;
    QPushButton* GBR;

    QTimer* Timer1;      // read-out poll
    QTimer* backupTimer; // backup copies of the open race
    // One more pass once a station's card that a pass left still being read has settled.
    QTimer* settlePassTimer;

    // Race displays kept in step by the class editor (main_window_race.cpp): the
    // stage box lists 1..stageCount and keeps the session's current stage; the
    // race-name label; the editor stage's race name (the stage line and hidden
    // date stay those of the stage box's stage).
    void showStageCount(int stageCount);
    void showRaceName(const std::string& raceName);
    void showEditorStage(const RaceRecord& stage);
    void showStageLine(const RaceRecord& stage);

    // Printouts (main_window_print.cpp). After the read-out pass wrote a new punch
    // file: refresh the print list, select the items of the competitor ID (code
    // page 1250) and press the print button.
    void printAfterReadout(const std::string& id);
    // After a read-out pass that printed: the print list as a refresh shows it.
    void showPrintListAfterReadout();
    // When not empty, printouts go to this PDF file instead of the default
    // printer (checking printouts without a printer).
    QString printoutPdfPath;

public slots:
    // Race (main_window_race.cpp).
    void onOpenRace();
    void onNewRace();
    void onStageChanged(const QString& stage);

    // Read-out (main_window_readout.cpp).
    void onReadoutOnce();
    void onReadoutAfterCard();
    void onReadoutAutomatic();
    void onReadoutStop();
    void onRewriteDateToggled(bool checked);
    void onChooseReadoutLog();

    // Unassigned cards (main_window_assign.cpp): the card of Memo2's line under the
    // cursor (else its first card) to a competitor chosen in the dialog.
    void onAssignCard();
    void assignCardOfLine(const QString& line);

    // Printouts (main_window_print.cpp).
    void onPrint();
    void onPrintListRefresh();
    void onPrintListDelete();
    void onPrintListClicked();
    void onZoomChanged(int position);

    // Start lists (main_window_startlist.cpp); the PDF beside the page with Button17Pdf.
    void onStartList();
    void onStartListPdf();

    // Settings and backups (main_window_settings.cpp).
    void onBackupTimer();

    // Windows opened from here (main_window.cpp).
    void onShowClassEditor();
    void onShowCompetitors();
    void onShowResults();
    void onShowPublishing();
    void onShowManualEntry();
    void onLanguageCzech();
    void onLanguageEnglish();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRaceGroup();
    void buildOutputGroup();
    void buildReadoutGroup();
    void buildPrintGroup();
    void layOut();
    void connectCommands();

    // Shows the window while a race is open; otherwise logs the refusal.
    void showGuarded(QWidget* window, const Text& refusal);

    // Settings (main_window_settings.cpp).
    void loadSettings();
    void saveSettings();

    // Read-out (main_window_readout.cpp): one pass; true when it left a card still being read.
    bool runReadout();

    // Start lists (main_window_startlist.cpp): the page written and shown; nullopt
    // when a check stopped it.
    std::optional<std::string> writeAndShowStartList();

    // Race (main_window_race.cpp).
    void openChosenRace(const std::string& chosenName, RaceNaming naming);
    // The current stage's line and date, its folder, the print list.
    void showCurrentStage();

    RavikApp& app_;
    Session& session_;
    Prompt& prompt_;
    bool settingsLoaded_ = false;
    // The settings file as read at start: saving starts from it, so lines that no
    // control of this program shows are written back as they were.
    Settings loadedSettings_;
    // What the read-out pass keeps from one pass to the next (main_window_readout.cpp).
    std::shared_ptr<ReadoutMemory> readoutMemory_;
    // The current stage folder's entries behind the print list (main_window_print.cpp).
    FolderNames printListFolder_;
    std::vector<std::string> printListShown_; // the items of ListBox1
    bool printListBehind_ = false;            // slips were made since the last refresh
    std::string printListSelection_;          // the competitor of the last slip

public:
    // The assign dialog while it is open (tests choose in it).
    AssignCardDialog* assignDialog() const { return assignDialog_; }

private:
    AssignCardDialog* assignDialog_ = nullptr;
    LogFile logFile_; // NAME.log beside the open race
};

} // namespace ravik
