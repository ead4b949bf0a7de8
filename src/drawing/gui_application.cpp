#include "drawing/gui_application.h"

#include <QGuiApplication>

namespace ravik {

std::unique_ptr<QGuiApplication> guiApplicationForDrawing() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 1;
    static char name[] = "ravik-cli";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace ravik
