// Start lists from the main window.
#include "app/main_window.h"

namespace ravik {

// Will write the start lists of the current stage and show them.
void MainWindow::onStartList() {}

} // namespace ravik
