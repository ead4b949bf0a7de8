#include "app/application.h"
#include "app/class_editor_window.h"
#include "app/main_window.h"
#include "app/publish_window.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/settings_file.h"
#include "test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

struct App {
    ScriptedPrompt* prompt;
    std::unique_ptr<RavikApp> app;
    App() {
        auto scripted = std::make_unique<ScriptedPrompt>();
        prompt = scripted.get();
        app = std::make_unique<RavikApp>(std::move(scripted));
    }
    MainWindow& main() { return app->mainWindow(); }
};

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

TEST(MainWindowRace, OpeningAMissingRaceCreatesItAndStartsTheBackupTimer) {
    TempFolder folder;
    App app;
    app.prompt->inputs = {folder.file("Race")};
    app.main().onOpenRace();
    EXPECT_EQ(app.main().umisteni->text().toStdString(), folder.file("Race.ravik"));
    EXPECT_EQ(fileSize(folder.file("Race.ravik")), 16496);
    EXPECT_TRUE(app.main().backupTimer->isActive());
    EXPECT_EQ(app.main().backupTimer->interval(), 300000);
    EXPECT_EQ(items(app.main().hlavni_etapa), QStringList{"1"});
    EXPECT_EQ(app.main().hlavni_etapa->currentText(), "1");
    EXPECT_EQ(app.app->session().race.currentStageFolder(), folder.file("E1/"));
}

TEST(MainWindowRace, NewRaceAlwaysAppendsTheExtensionAndStartsTheBackupTimer) {
    TempFolder folder;
    App app;
    app.prompt->inputs = {folder.file("Race.ravik")};
    app.main().onNewRace();
    EXPECT_EQ(app.main().umisteni->text().toStdString(), folder.file("Race.ravik.ravik"));
    EXPECT_TRUE(fileExists(folder.file("Race.ravik.ravik")));
    EXPECT_TRUE(app.main().backupTimer->isActive());
    EXPECT_TRUE(folderExists(folder.file("E1")));

    app.prompt->inputs = {std::nullopt};
    app.main().onNewRace();
    EXPECT_EQ(app.main().umisteni->text().toStdString(), folder.file("Race.ravik.ravik")) << "cancelled";
}

TEST(MainWindowRace, StagesOfTheEditorAppearInTheMainWindowAndAStageChangeShowsItsLine) {
    TempFolder folder;
    RaceRecord first;
    first.stage_number = 1;
    first.race_name = "Spring Cup";
    first.stage_date = "2026-05-11";
    first.stage_place = "Brno";
    createRaceFile(folder.file("Cup.ravik"), first);
    RaceRecord second = first;
    second.stage_date = "2026-05-12";
    second.stage_place = "Blansko";
    appendStage(folder.file("Cup.ravik"), second);

    App app;
    app.prompt->inputs = {folder.file("Cup.ravik")};
    app.main().onOpenRace();
    EXPECT_EQ(items(app.main().hlavni_etapa), (QStringList{"1", "2"}));
    EXPECT_EQ(app.main().nazev_zavodu->text(), "Spring Cup");
    EXPECT_EQ(app.main().hlavni_misto->text(), "2026-05-11 Brno");

    app.main().hlavni_etapa->setCurrentText("2");
    EXPECT_EQ(app.main().hlavni_misto->text(), "2026-05-12 Blansko");
    EXPECT_EQ(app.main().zavod_datum->text(), "2026-05-12");
    EXPECT_EQ(app.app->session().race.currentStageFolder(), folder.file("E2/"));

    ClassEditorWindow& editor = app.app->classEditorWindow();
    editor.show();
    editor.Button7->click();
    EXPECT_EQ(app.prompt->shown.back(), "Byla přidána jedna etapa.");
    EXPECT_EQ(items(app.main().hlavni_etapa), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(app.main().hlavni_etapa->currentText(), "2");
    editor.Button2->click();
    editor.Button2->click();
    EXPECT_EQ(stageCount(folder.file("Cup.ravik")), 1);
    EXPECT_EQ(items(app.main().hlavni_etapa), QStringList{"1"});
    EXPECT_EQ(app.main().hlavni_etapa->currentText(), "1");
}

TEST(MainWindowSettings, LoadsOnShowAndSavesOnClose) {
    TempFolder folder;
    test::writeFile(folder.file("ravik.ini"),
                    "GBR\r\n/si/log.csv\r\n_\r\nhost\r\nuser\r\npass\r\n7\r\nFTPS\r\nAB:CD\r\n58\r\n");
    App app;
    app.app->session().startDirectory = folder.path();
    app.main().show();
    EXPECT_EQ(app.app->session().language, Language::English);
    EXPECT_EQ(app.main().Button2->text(), "New");
    EXPECT_EQ(app.main().cestaSI->text(), "/si/log.csv");
    EXPECT_EQ(app.main().zoom->value(), 7);
    EXPECT_EQ(app.main().tisk_format->currentText(), "Receipt 58 mm");
    EXPECT_EQ(app.app->session().log.lastLine(), "INI file loaded");
    PublishWindow& publish = app.app->publishWindow();
    EXPECT_TRUE(publish.wftps->isChecked());
    EXPECT_TRUE(publish.wfingerprint->isEnabled());
    EXPECT_EQ(publish.wfingerprint->text(), "AB:CD");

    app.main().cestaSI->setText("/other.csv");
    app.main().tisk_format->setCurrentIndex(0);
    publish.wftp->setChecked(true);
    EXPECT_FALSE(publish.wfingerprint->isEnabled());
    app.main().close();
    EXPECT_EQ(test::readFile(folder.file("ravik.ini")),
              "GBR\r\n/other.csv\r\n_\r\nhost\r\nuser\r\npass\r\n7\r\nFTP\r\nAB:CD\r\nA4\r\n");
}

} // namespace
} // namespace ravik
