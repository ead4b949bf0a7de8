#include "app/run_command.h"

#include "core/cp1250.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringDecoder>
#include <exception>

namespace ravik {
namespace {

// Messages are UTF-8, but one that quotes a cell or a file line may carry code
// page 1250 bytes; those are shown as such rather than as replacement characters.
QString messageText(const char* what) {
    const QByteArray bytes(what);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromStdString(cp1250ToUtf8(bytes.toStdString()));
}

} // namespace

std::optional<QString> commandError(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        return messageText(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
    return std::nullopt;
}

bool aDialogIsOpen() { return QApplication::activeModalWidget() != nullptr; }

bool runCommand(QWidget* parent, const std::function<void()>& command) {
    const std::optional<QString> error = commandError(command);
    if (!error) return true;
    QMessageBox::critical(parent, QStringLiteral("Ravik"), *error);
    return false;
}

} // namespace ravik
