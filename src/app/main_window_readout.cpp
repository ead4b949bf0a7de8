// SI read-out from the main window: the read-out log, one pass or a pass on
// every tick of Timer1, and the date rewrite.
#include "app/main_window.h"

#include "app/qt_text.h"
#include "core/prompt.h"
#include "core/texts/core_texts.h"

#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>

namespace ravik {

// Will run one read-out pass over the log in cestaSI.
void MainWindow::onReadoutOnce() {}

// Will start Timer1 with the interval of intervalCSV and log that it runs.
void MainWindow::onReadoutAutomatic() {}

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
