// Opening and creating races, and the current stage (main window).
#include "app/main_window.h"

#include "app/application.h"
#include "app/class_editor_window.h"
#include "app/publish_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/core_texts.h"
#include "core/texts/setup_texts.h"
#include "setup/race_opening.h"
#include "setup/stage_display.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace ravik {

void MainWindow::onOpenRace() {
    runCommand(this, [this] {
        const auto chosen = prompt_.openFileName(texts::kRaceFileFilter);
        if (!chosen) return;
        openChosenRace(*chosen, RaceNaming::Open);
    });
}

void MainWindow::onNewRace() {
    runCommand(this, [this] {
        const auto chosen = prompt_.saveFileName("");
        if (!chosen) return;
        openChosenRace(*chosen, RaceNaming::New);
    });
}

void MainWindow::openChosenRace(const std::string& chosenName, RaceNaming naming) {
    ClassEditorWindow& editor = app_.classEditorWindow();
    const OpenedRace opened = openRace(session_, chosenName, naming, [&] { editor.reload(); });
    // Backups run from the moment a race is the open race, a new one included.
    backupTimer->start();
    umisteni->setText(fromUtf8(session_.race.racePath()));
    if (opened.created) {
        // The editor was reloaded before the file existed: it must not keep showing the race before.
        showRaceName(readStage(session_.race.racePath(), 1).race_name);
        if (editor.isVisible()) editor.reload();
    }
    showStageCount(opened.stageCount);
    showCurrentStage();
    setWindowTitle(QStringLiteral("Ravik") +
                   (opened.readOnly ? fromUtf8(session_.text(texts::kReadOnlyTitle)) : QString()));
}

void MainWindow::showStageCount(int stageCount) {
    const QString current = fromUtf8(session_.race.currentStageText());
    {
        const QSignalBlocker blocker(hlavni_etapa);
        hlavni_etapa->clear();
        for (int stage = 1; stage <= stageCount; ++stage)
            hlavni_etapa->addItem(QString::number(stage));
        hlavni_etapa->setCurrentIndex(hlavni_etapa->findText(current));
    }
    if (hlavni_etapa->currentText() != current) onStageChanged(hlavni_etapa->currentText());
}

void MainWindow::showRaceName(const std::string& raceName) {
    nazev_zavodu->setText(fromCp1250(raceName));
}

// The stage line and date describe the stage of the stage box, whichever stage the editor shows.
void MainWindow::showEditorStage(const RaceRecord& stage) {
    showRaceName(stage.race_name);
    if (stage.stage_number == session_.race.currentStage())
        showStageLine(stage);
    else if (const auto record = readCurrentStage(session_.race))
        showStageLine(*record);
}

void MainWindow::showStageLine(const RaceRecord& stage) {
    hlavni_misto->setText(fromCp1250(stageLine(stage)));
    zavod_datum->setText(fromCp1250(stage.stage_date));
}

void MainWindow::onStageChanged(const QString& stage) {
    session_.race.setCurrentStageText(toUtf8(stage));
    runCommand(this, [this] { showCurrentStage(); });
    app_.publishWindow().stageChanged();
}

void MainWindow::showCurrentStage() {
    if (const auto record = readCurrentStage(session_.race)) showStageLine(*record);
    onPrintListRefresh();
}

} // namespace ravik
