// Start lists from the main window.
#include "app/application.h"
#include "app/browser_window.h"
#include "app/main_window.h"
#include "app/pdf_buttons.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "entries/start_list.h"

#include <QFileInfo>

namespace ravik {

std::optional<std::string> MainWindow::writeAndShowStartList() {
    // The race name as the race file holds it now, as ravik-cli startlist takes it.
    const std::string& racePath = session_.race.racePath();
    const std::string raceName =
        fileExists(racePath) && stageCount(racePath) > 0 ? readStage(racePath, 1).race_name : "";
    const auto path = writeStartList(session_, raceName, prompt_);
    if (path)
        app_.browserWindow().showPage(QFileInfo(QString::fromStdString(*path)).absoluteFilePath(), true);
    return path;
}

// Button17: asks for the stage, writes its start list from the competitor table
// and shows it in the browser window.
void MainWindow::onStartList() {
    runCommand(this, [this] { writeAndShowStartList(); });
}

// Button17Pdf: the same, then the page's PDF beside it.
void MainWindow::onStartListPdf() {
    runCommand(this, [this] {
        if (const auto path = writeAndShowStartList()) writePdfBesidePage(session_, *path);
    });
}

} // namespace ravik
