// Automatic regeneration of result pages: "Výsledky" runs recorded as jobs while
// CheckBox16 is checked, replayed on every tick of Timer1.
#include "app/results_window.h"

#include "app/run_command.h"

#include "app/application.h"
#include "app/qt_text.h"
#include "core/numbers.h"
#include "core/prompt.h"
#include "core/session.h"
#include "core/texts/printout_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace ravik {
namespace {

std::vector<bool> selection(const QListWidget* list) {
    std::vector<bool> selected;
    for (int row = 0; row < list->count(); ++row)
        selected.push_back(list->item(row)->isSelected());
    return selected;
}

void select(QListWidget* list, const std::vector<bool>& selected) {
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(row < static_cast<int>(selected.size()) && selected[row]);
}

// Info: the job's selected classes become selected too (others stay as they are).
void selectByName(QListWidget* list, const ResultsControls& controls, const std::vector<bool>& selected) {
    for (int row = 0; row < list->count(); ++row) {
        const std::string name = toUtf8(list->item(row)->text());
        for (std::size_t i = 0; i < controls.classNames.size() && i < selected.size(); ++i)
            if (selected[i] && controls.classNames[i] == name) list->item(row)->setSelected(true);
    }
}

} // namespace

void ResultsWindow::connectRegeneration() {
    connect(Button3, &QPushButton::clicked, this, [this] { onRegenerationStop(); });
    connect(Button5, &QPushButton::clicked, this, [this] { onRegenerationInfo(); });
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (!aDialogIsOpen()) onRegenerationTick();
    });
    connect(Edit3, &QLineEdit::textEdited, this, [this] { onRegenerationPeriodEdited(); });
}

ResultsControls ResultsWindow::readJobControls() const {
    ResultsControls c;
    c.stage = toUtf8(ComboBox1->currentText());
    for (int row = 0; row < ListBox1->count() && row < kClassSlots; ++row)
        c.classNames.push_back(toUtf8(ListBox1->item(row)->text())); // UTF-8: Info writes them to the log
    c.stageSelection = selection(ListBox1);
    c.overallSelection = selection(ListBox2);
    c.sameCourses = CheckBox1->isChecked();
    c.columns = CheckBox2->isChecked();
    c.details = CheckBox3->isChecked();
    c.splits = CheckBox18->isChecked();
    c.keepOrder = CheckBox4->isChecked();
    c.tempoStyle = CheckBox5->isChecked();
    c.wrongAnswerPenalty = toUtf8(Edit1->text());
    c.unansweredIsWrong = CheckBoxIOF->isChecked();
    c.relay = CheckBox6->isChecked();
    c.motala = RadioButton2->isChecked();
    c.farsta = RadioButton1->isChecked();
    c.oris = oris->isChecked();
    c.showStagePage = CheckBox20->isChecked();
    c.showOverallPage = CheckBox21->isChecked();
    const QCheckBox* stages[] = {ee1, ee2, ee3, ee4, ee5};
    for (int s = 0; s < kMaxStages; ++s)
        c.overallStages[s] = stages[s]->isChecked();
    c.refresh = toUtf8(Edit2->text());
    c.roll = CheckBox7->isChecked();
    c.rollPeriod = toUtf8(Edit5->text());
    c.hold = CheckBox8->isChecked();
    c.holdCount = toUtf8(Edit4->text());
    return c;
}

bool ResultsWindow::applyJobControls(const ResultsControls& c) {
    // The stage as if the user chose it: its classes and folder follow.
    const int index = ComboBox1->findText(fromUtf8(c.stage));
    if (index < 0) return false;
    if (index != ComboBox1->currentIndex())
        ComboBox1->setCurrentIndex(index);
    else
        stageChanged();
    select(ListBox1, c.stageSelection);
    select(ListBox2, c.overallSelection);
    CheckBox1->setChecked(c.sameCourses);
    CheckBox2->setChecked(c.columns);
    CheckBox3->setChecked(c.details);
    CheckBox18->setChecked(c.splits);
    CheckBox4->setChecked(c.keepOrder);
    CheckBox5->setChecked(c.tempoStyle);
    Edit1->setText(fromUtf8(c.wrongAnswerPenalty));
    CheckBoxIOF->setChecked(c.unansweredIsWrong);
    CheckBox6->setChecked(c.relay);
    // Exclusive radio buttons cannot be unselected one by one.
    for (QRadioButton* button : {RadioButton1, RadioButton2})
        button->setAutoExclusive(false);
    RadioButton2->setChecked(c.motala);
    RadioButton1->setChecked(c.farsta);
    for (QRadioButton* button : {RadioButton1, RadioButton2})
        button->setAutoExclusive(true);
    oris->setChecked(c.oris);
    CheckBox20->setChecked(c.showStagePage);
    CheckBox21->setChecked(c.showOverallPage);
    QCheckBox* stages[] = {ee1, ee2, ee3, ee4, ee5};
    for (int s = 0; s < kMaxStages; ++s)
        stages[s]->setChecked(c.overallStages[s]);
    Edit2->setText(fromUtf8(c.refresh));
    CheckBox7->setChecked(c.roll);
    Edit5->setText(fromUtf8(c.rollPeriod));
    CheckBox8->setChecked(c.hold);
    Edit4->setText(fromUtf8(c.holdCount));
    return true;
}

void ResultsWindow::recordJobIfAsked(JobKind kind) {
    if (!CheckBox16->isChecked()) return;
    CheckBox16->setChecked(false);
    if (!jobs_.record(kind, readJobControls(), toUtf8(Edit3->text()))) {
        app_.prompt().information(app_.session().text(texts::kTooManyJobs));
        return;
    }
    Button5->setText(fromUtf8(jobs_.infoCaption()));
    Timer1->start(jobs_.periodMilliseconds());
}

void ResultsWindow::onRegenerationTick() {
    Session& session = app_.session();
    for (const std::string& line : jobs_.tickLines())
        session.log.append(line);
    // A job run may record a further job; this tick runs the jobs it started with.
    const std::vector<RegenerationJob> jobs = jobs_.jobs();
    for (const RegenerationJob& job : jobs) {
        if (!applyJobControls(job.controls)) continue;
        const bool finished = job.kind == JobKind::StageResults ? runStageResults() : runOverallResults();
        if (!finished) return; // the error was shown; the timer keeps running
    }
}

void ResultsWindow::onRegenerationStop() {
    jobs_.stop();
    Timer1->stop();
    Session& session = app_.session();
    session.log.append(session.text(texts::kRegenerationStopped));
    Button5->setText(fromUtf8(jobs_.infoCaption()));
}

void ResultsWindow::onRegenerationInfo() {
    Session& session = app_.session();
    for (const std::string& line : jobs_.infoLines(session.language))
        session.log.append(line);
    for (const RegenerationJob& job : jobs_.jobs()) {
        selectByName(ListBox1, job.controls, job.controls.stageSelection);
        selectByName(ListBox2, job.controls, job.controls.overallSelection);
    }
}

void ResultsWindow::onRegenerationPeriodEdited() {
    const QString digits = fromUtf8(digitsOnly(toUtf8(Edit3->text())));
    if (digits != Edit3->text()) Edit3->setText(digits);
}

} // namespace ravik
