#include "app/dialog_prompt.h"

#include "app/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace ravik {
namespace {

const QString kTitle = QStringLiteral("Ravik");

} // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QWidget* DialogPrompt::owner() {
    return QApplication::activeWindow();
}

void DialogPrompt::information(const std::string& text) {
    QMessageBox::information(owner(), kTitle, fromUtf8(text));
}

bool DialogPrompt::question(const std::string& text) {
    return QMessageBox::question(owner(), kTitle, fromUtf8(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<std::string> DialogPrompt::input(const std::string& title, const std::string& prompt,
                                               const std::string& defaultAnswer) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(owner(), fromUtf8(title), fromUtf8(prompt),
                                                 QLineEdit::Normal, fromUtf8(defaultAnswer), &accepted);
    if (!accepted) return std::nullopt;
    return toUtf8(answer);
}

std::optional<std::string> DialogPrompt::openFileName(const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(owner(), QString(), QString(), qtFileFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return toUtf8(path);
}

std::optional<std::string> DialogPrompt::saveFileName(const std::string& filter) {
    const QString path = QFileDialog::getSaveFileName(owner(), QString(), QString(), qtFileFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return toUtf8(path);
}

} // namespace ravik
