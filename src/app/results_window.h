#pragma once
// The results window (title "Výsledky"): stage results of the chosen classes,
// relay pages, overall results over several stages, the page parameters and the
// automatic regeneration of result pages.
//
// Its commands live in area files: results_window.cpp (construction, showing,
// stage box, relay box, Button2), results_window_overall.cpp (Button1),
// results_window_regeneration.cpp (CheckBox16, Button3, Button5, Timer1) and
// results_window_printout.cpp (the printout of the main window's print button).
#include "core/race_record.h"
#include "exports/overall_results.h"
#include "exports/result_list.h"
#include "scoring/regeneration_jobs.h"
#include "scoring/results_run.h"
#include "scoring/score_cache.h"
#include "slips/printout_layout.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

    // What showing the window does: nadpis from the race name, the stage box and
    // the class lists from the race file, the main window's current stage chosen.
    // The window keeps no race data: every command reads the stage record, the
    // table and its controls as it runs.
    void prepare();
    // The stage folder logged and ListBox1 filled with the stage's classes, as
    // after a change of the box by the user.
    void stageChanged();
    // Button2 "Výsledky": scores the stage, writes the page (or relay page) and
    // shows it. False when an error was shown.
    bool runStageResults();
    // The values of the stage group's and the page group's controls.
    ResultsRunOptions readStageOptions() const;
    // The scoring controls (CheckBox4, CheckBox5, Edit1, the IOF rule) for a stage;
    // no class selected.
    ScoringOptions readScoringControls(int stage) const;

    // The page last written by Button2 (empty when none).
    std::string lastPagePath;

    // Button1 "Výsledky" of the overall group: writes the overall page of the
    // chosen stages and classes and shows it (results_window_overall.cpp). False
    // when an error was shown.
    bool runOverallResults();
    // The values of the overall group's and the page group's controls.
    OverallOptions readOverallOptions() const;
    // The page last written by Button1 (empty when none).
    std::string lastOverallPagePath;

    // "XML TempO" / "XML PreO": the result list of the stage in ComboBox1
    // (results_window_xml.cpp). False when an error was shown or the stage was refused.
    bool exportXml(ResultListKind kind);
    QPushButton* XMLTempO;
    QPushButton* XMLPreO;
    // "XML startovka": the start list of the stage in ComboBox1; "XML štafety": its
    // relays as the relay page ranks them (ListBox1, the relay form, Edit1, Edit6);
    // "XML celkové": the overall results of the overall group. False when an error
    // was shown or the export was refused.
    bool exportXmlStartList();
    bool exportXmlRelay();
    bool exportXmlOverall();
    QPushButton* XMLStartList;
    QPushButton* XMLRelay;
    QPushButton* XMLOverall;

    // The jury's tools (results_window_jury.cpp): the IOF rule for unanswered
    // timed-control tasks, and the answer statistics page of the stage in
    // ComboBox1 for the classes of ListBox1, shown in the browser. False when an error was shown.
    QCheckBox* CheckBoxIOF;
    QPushButton* ButtonStats;
    bool showAnswerStatistics();
    std::string lastStatisticsPath;

    // The PDF buttons (results_window_pdf.cpp): the command of Button2, Button1 or
    // ButtonStats, then the PDF of the page it wrote, beside it. False when an
    // error was shown or no page was written.
    QPushButton* Button2Pdf;
    QPushButton* Button1Pdf;
    QPushButton* ButtonStatsPdf;
    bool writeStagePdf();
    bool writeOverallPdf();
    bool writeStatisticsPdf();
    std::string lastPdfPath; // the PDF last written (empty when none)

    // Result printouts (results_window_printout.cpp). The competitor chosen in the
    // main window's print list (code page 1250 ID), held until the next choice.
    void setPrintoutCompetitor(const std::string& competitorId) { printoutCompetitor_ = competitorId; }
    const std::string& printoutCompetitor() const { return printoutCompetitor_; }
    // Scores the main window's current stage with this window's scoring controls,
    // ranking the competitor's class alone, and returns the printout of every row
    // with the competitor's ID. Nothing the user chose here changes. Throws what
    // the computation throws.
    std::vector<PrintoutData> makePrintouts();

    // Automatic regeneration (results_window_regeneration.cpp).
    // To be called once by the constructor, after the groups are built: connects
    // Button3, Button5, Timer1 and Edit3.
    void connectRegeneration();
    // To be called at the end of a successful "Výsledky" run, after its page is
    // written (not in printout mode): by runStageResults with JobKind::StageResults
    // and by runOverallResults with JobKind::OverallResults. Records a job when
    // CheckBox16 is checked.
    void recordJobIfAsked(JobKind kind);
    void onRegenerationTick();         // Timer1
    void onRegenerationStop();         // Button3 "Zastavit"
    void onRegenerationInfo();         // Button5 "Info"
    void onRegenerationPeriodEdited(); // Edit3: digits only
    const RegenerationJobs& regenerationJobs() const { return jobs_; }

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

protected:
    void showEvent(QShowEvent* event) override;

    RavikApp& app_;

private:
    void buildStageGroup();
    void buildOverallGroup();
    void buildRegenerationGroup();
    void buildPageGroup();
    void layOut();
    void connectStageGroup();
    void connectOverallGroup();
    void buildXmlButtons();
    void buildJuryControls();
    void buildPdfButtons();
    void relayClicked();
    // The selected items of a class list, in list order (code page 1250).
    static std::vector<std::string> selectedClasses(const QListWidget* list);
    // The class names of the record as the list's items; the names selected before stay selected.
    static void fillClassList(QListWidget* list, const RaceRecord& record);

    // Each stage's scored results kept between runs, so that a slip scores only what
    // changed (a cache of the files and cells it was computed from, not a copy the
    // window trusts: every run compares it with them).
    std::unique_ptr<std::array<StageScoreCache, kMaxStages>> scoreCaches_ =
        std::make_unique<std::array<StageScoreCache, kMaxStages>>();
    StageScoreCache* scoreCacheOf(int stage) const;
    // Result printouts.
    std::string printoutCompetitor_;
    // Automatic regeneration.
    ResultsControls readJobControls() const;
    // False when the job's stage is no longer in ComboBox1 (the job is skipped).
    bool applyJobControls(const ResultsControls& controls);
    RegenerationJobs jobs_;
};

} // namespace ravik
