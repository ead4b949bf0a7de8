// SI read-out from the main window: the read-out log, one pass or a pass on
// every tick of Timer1, and the date rewrite.
#include "app/main_window.h"

#include "app/lamp.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/prompt.h"
#include "core/session.h"
#include "core/texts/core_texts.h"
#include "readout/readout_pass.h"

#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

namespace ravik {

namespace {

LampColour lampColourOf(const QColor& color) {
    if (color == QColor(Qt::red)) return LampColour::Red;
    if (color == QColor(Qt::green)) return LampColour::Green;
    return LampColour::Silver;
}

QColor colourOf(LampColour lamp) {
    switch (lamp) {
    case LampColour::Red:
        return QColor(Qt::red);
    case LampColour::Green:
        return QColor(Qt::green);
    case LampColour::Silver:
        break;
    }
    return Lamp::silver();
}

} // namespace

void MainWindow::onReadoutOnce() {
    runReadout();
}

// After a card from the station: a card without its finish punch is complete
// once the log has stood still, so while a pass leaves one still being read,
// another follows without waiting for Timer1.
void MainWindow::onReadoutAfterCard() {
    if (runReadout() && !settlePassTimer->isActive()) settlePassTimer->start();
}

// One read-out pass over the log in cestaSI; each new punch file of a competitor
// is printed at once.
bool MainWindow::runReadout() {
    ReadoutOptions options;
    options.logPath = toUtf8(cestaSI->text());
    options.rewriteDate = CheckBox1->isChecked();
    options.raceDate = toUtf8(novedatum->text());
    options.stageFolder = session_.race.currentStageFolder();
    options.lamp = lampColourOf(Shape1->color());
    // The lamp changes even when the pass ends early.
    Shape1->setColor(colourOf(nextLampColour(options.lamp)));
    if (!readoutMemory_) readoutMemory_ = makeReadoutMemory();
    bool cardsBeingRead = false;
    runCommand(this, [&] {
        const ReadoutPassResult result = runReadoutPass(
            options, session_, [this](const std::string& id) { printAfterReadout(id); },
            readoutMemory_.get());
        cardsBeingRead = result.cardsBeingRead;
        if (!result.replaceMemo2) return;
        // Thousands of unassigned cards stay the same from pass to pass: the box is refilled only on a
        // change.
        QStringList names;
        names.reserve(static_cast<qsizetype>(result.unassigned.size()));
        for (const std::string& name : result.unassigned)
            names.append(fromUtf8(name));
        const QString text = names.join(QLatin1Char('\n'));
        if (Memo2->toPlainText() != text) Memo2->setPlainText(text);
    });
    showPrintListAfterReadout();
    return cardsBeingRead;
}

// Starts Timer1 with the interval of intervalCSV (pressed again: only the new interval).
void MainWindow::onReadoutAutomatic() {
    const std::string interval = toUtf8(intervalCSV->text());
    Timer1->setInterval(readoutIntervalMs(interval));
    Timer1->start();
    session_.log.append(readoutTimerMessage(session_.language, interval));
}

// Stops the automatic read-out; no message.
void MainWindow::onReadoutStop() {
    Timer1->stop();
}

// The rewrite date is typed only while the rewrite is on; otherwise the edit is
// read-only and grey.
void MainWindow::onRewriteDateToggled(bool checked) {
    novedatum->setReadOnly(!checked);
    QPalette palette = novedatum->palette();
    if (checked)
        palette.setColor(QPalette::Base, QWidget::palette().color(QPalette::Base));
    else
        palette.setColor(QPalette::Base, QColor(Qt::lightGray));
    novedatum->setPalette(palette);
}

void MainWindow::onChooseReadoutLog() {
    if (const auto path = prompt_.openFileName(texts::kReadOutLogFilter)) cestaSI->setText(fromUtf8(*path));
}

} // namespace ravik
