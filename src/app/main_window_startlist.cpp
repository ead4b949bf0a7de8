// Start lists from the main window.
#include "app/application.h"
#include "app/browser_window.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "entries/start_list.h"

#include <QFileInfo>

namespace ravik {

// Button17: asks for the stage, writes its start list from the competitor table
// and shows it in the browser window.
void MainWindow::onStartList() {
    runCommand(this, [this] {
        // The race name as the race file holds it now, as ravik-cli startlist takes it.
        const std::string& racePath = session_.race.racePath();
        const std::string raceName =
            fileExists(racePath) && stageCount(racePath) > 0 ? readStage(racePath, 1).race_name : "";
        const auto path = writeStartList(session_, raceName, prompt_);
        if (!path) return;
        app_.browserWindow().showPage(QFileInfo(QString::fromStdString(*path)).absoluteFilePath(), true);
    });
}

} // namespace ravik
