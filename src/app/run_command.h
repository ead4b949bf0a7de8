#pragma once
// The one place where a window's command meets the errors it does not check
// itself (IoError, ConversionError, anything else): they end the command and are
// shown in a message box; what the command wrote before stays.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace ravik {

// Runs the command; true when it finished, false when an error was shown.
bool runCommand(QWidget* parent, const std::function<void()>& command);

// True while a message box or another dialog waits for the user. Timer ticks
// then wait for the next tick: a dialog's own event loop would otherwise run
// them inside the command that opened it, and their errors would stack boxes.
bool aDialogIsOpen();

// Runs the command and returns the message of the error that ended it, if any.
std::optional<QString> commandError(const std::function<void()>& command);

} // namespace ravik
