// Ravik: results of trail-orienteering races.
#include "app/application.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "core/platform/platform.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    // The embedded browser refuses to run as root inside its sandbox.
    if (ravik::platform::runsAsRoot()) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);

    ravik::RavikApp ravik;
    ravik.session().startDirectory = ravik::toUtf8(QDir::currentPath());
    ravik::MainWindow& mainWindow = ravik.mainWindow();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) mainWindow.openRaceAtStart(arguments.at(1));
    mainWindow.show();
    return application.exec();
}
