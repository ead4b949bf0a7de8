// Start lists from the main window.
#include "app/application.h"
#include "app/browser_window.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/session.h"
#include "entries/start_list.h"

#include <QFileInfo>
#include <QLabel>

namespace ravik {

// Button17: asks for the stage, writes its start list from the competitor table
// and shows it in the browser window.
void MainWindow::onStartList() {
    runCommand(this, [this] {
        const auto path = writeStartList(session_, toCp1250(nazev_zavodu->text()), prompt_);
        if (!path) return;
        app_.browserWindow().showPage(QFileInfo(QString::fromStdString(*path)).absoluteFilePath(), true);
    });
}

} // namespace ravik
