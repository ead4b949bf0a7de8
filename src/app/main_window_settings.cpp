// The settings file and the backup copies of the open race (main window).
#include "app/main_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/publish_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/backup.h"
#include "core/session.h"
#include "core/settings_file.h"

#include <algorithm>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

namespace ravik {

void MainWindow::loadSettings() {
    runCommand(this, [this] {
        const std::optional<Settings> settings = ravik::loadSettings(session_);
        if (!settings) return;
        loadedSettings_ = *settings;
        applyLanguage(app_, session_.language);
        cestaSI->setText(fromUtf8(settings->readoutLogPath));
        PublishWindow& publish = app_.publishWindow();
        publish.whost->setText(fromUtf8(settings->ftpHost));
        publish.wuser->setText(fromUtf8(settings->ftpUser));
        publish.wpass->setText(fromUtf8(settings->ftpPassword));
        (settings->ftpTls ? publish.wftps : publish.wftp)->setChecked(true);
        publish.wfingerprint->setText(fromUtf8(settings->ftpTlsFingerprint));
        zoom->setValue(settings->printZoom);
        tisk_format->setCurrentIndex(static_cast<int>(settings->printLayout));
    });
}

void MainWindow::saveSettings() {
    if (Timer1->isActive()) Timer1->stop();
    Settings settings = loadedSettings_;
    settings.languageCode = languageCode(session_.language);
    settings.readoutLogPath = toUtf8(cestaSI->text());
    const PublishWindow& publish = app_.publishWindow();
    settings.ftpHost = toUtf8(publish.whost->text());
    settings.ftpUser = toUtf8(publish.wuser->text());
    settings.ftpPassword = toUtf8(publish.wpass->text());
    settings.ftpTls = publish.wftps->isChecked();
    settings.ftpTlsFingerprint = toUtf8(publish.wfingerprint->text());
    settings.printZoom = zoom->value();
    settings.printLayout = static_cast<PrintLayout>(std::max(0, tisk_format->currentIndex()));
    ravik::saveSettings(session_, settings, prompt_);
}

void MainWindow::onBackupTimer() {
    // The program that holds the race makes its backups.
    if (session_.readOnly()) return;
    backUpRace(session_.race, session_.log);
}

} // namespace ravik
