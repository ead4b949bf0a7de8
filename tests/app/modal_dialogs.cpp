#include "modal_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

namespace ravik::test {

std::vector<QString>& closedModalDialogs() {
    static std::vector<QString> texts;
    return texts;
}

void closeModalDialogsAutomatically() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            closedModalDialogs().push_back(box->text());
        else
            closedModalDialogs().push_back(modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer->start(20);
}

} // namespace ravik::test
