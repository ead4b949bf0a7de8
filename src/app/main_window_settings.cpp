// The settings file and the backup copies of the open race (main window).
#include "app/main_window.h"

namespace ravik {

// Will read ravik.ini from the start directory: language, read-out log, FTP data, zoom.
void MainWindow::loadSettings() {}

// Will write ravik.ini when the main window closes.
void MainWindow::saveSettings() {}

// Will copy the race file and the competitor file to their backup names.
void MainWindow::onBackupTimer() {}

} // namespace ravik
