// Result printouts from the main window: the print list, the print button and
// the printer zoom.
#include "app/main_window.h"

#include "core/prompt.h"

#include <QSlider>

namespace ravik {

// Will make the printout of the competitor selected in ListBox1.
void MainWindow::onPrint() {}

// Will list the punch files of the current stage folder.
void MainWindow::onPrintListRefresh() {}

void MainWindow::onPrintListDelete() {
    prompt_.information("Not implemented yet.");
}

void MainWindow::onZoomChanged(int position) {
    zoom->setToolTip(QString::number(position));
}

} // namespace ravik
