// Opening and creating races, and the current stage (main window).
#include "app/main_window.h"

#include "app/qt_text.h"
#include "core/session.h"

namespace ravik {

// Will ask for a race file and open it: race path, competitors, stages, class editor.
void MainWindow::onOpenRace() {}

// Will ask for the new race's name and file and create it with one stage.
void MainWindow::onNewRace() {}

void MainWindow::onStageChanged(const QString& stage) {
    session_.race.setCurrentStageText(toUtf8(stage));
    // Still to come: the stage's record (place and date lines) and the print list refresh.
}

} // namespace ravik
