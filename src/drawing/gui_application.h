#pragma once
// Fonts and the PDF writer need a GUI application; a program without windows
// (ravik-cli) makes one for the time it draws.
#include <memory>

class QGuiApplication;

namespace ravik {

// A GUI application for as long as the result lives, or nullptr when one runs
// already. Without a display it runs offscreen. It ends with the command: one
// left to the exit handlers may outlive the platform plugin it tears down (a
// crash at exit after the PDF was written).
std::unique_ptr<QGuiApplication> guiApplicationForDrawing();

} // namespace ravik
