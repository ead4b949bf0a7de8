// The main window's buttons that open other windows, and the log box.
#include "app/main_window.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/texts/core_texts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ravik::test {
namespace {

struct Guard {
    const char* button;
    const char* window;
    Text refusal;
};

const Guard kGuards[] = {
    {"Button21", window::kClassEditor, texts::kGuardRace},
    {"Button15", window::kCompetitors, texts::kGuardCompetitors},
    {"Button1", window::kResults, texts::kGuardResults},
    {"Button20", window::kPublish, texts::kGuardFtp},
};

class MainWindowGuards : public AppTest {
protected:
    void press(const char* button) { control<QPushButton>(window::kMain, button)->click(); }
};

TEST_F(MainWindowGuards, WithoutRaceEachButtonLogsOneCzechLineAndLeavesItsWindowClosed) {
    for (const Guard& guard : kGuards) {
        const std::size_t before = app.session().log.lines().size();
        press(guard.button);
        EXPECT_FALSE(window(guard.window)->isVisible()) << guard.button;
        ASSERT_EQ(app.session().log.lines().size(), before + 1) << guard.button;
        EXPECT_EQ(app.session().log.lastLine(), guard.refusal.cze);
    }
}

TEST_F(MainWindowGuards, WithoutRaceInEnglishTheLineIsEnglish) {
    control<QPushButton>(window::kMain, "GBR")->click();
    for (const Guard& guard : kGuards) {
        const std::size_t before = app.session().log.lines().size();
        press(guard.button);
        EXPECT_FALSE(window(guard.window)->isVisible()) << guard.button;
        ASSERT_EQ(app.session().log.lines().size(), before + 1) << guard.button;
        EXPECT_EQ(app.session().log.lastLine(), guard.refusal.gbr);
    }
}

TEST_F(MainWindowGuards, WithRaceOpenEachButtonShowsItsWindowAndLogsNothing) {
    app.mainWindow().setRacePath(QStringLiteral("/races/spring/Spring.ravik"));
    EXPECT_EQ(str(control<QLineEdit>(window::kMain, "umisteni")->text()), "/races/spring/Spring.ravik");
    for (const Guard& guard : kGuards) {
        press(guard.button);
        EXPECT_TRUE(window(guard.window)->isVisible()) << guard.button;
    }
    EXPECT_TRUE(app.session().log.lines().empty());
}

TEST_F(MainWindowGuards, ManualResultsOpenOnlyWithAStageAndNeverLog) {
    QWidget* manual = window(window::kManualEntry);
    press("ButtonV");
    EXPECT_FALSE(manual->isVisible());
    EXPECT_TRUE(app.session().log.lines().empty());

    control<QComboBox>(window::kMain, "hlavni_etapa")->addItem(QStringLiteral("1"));
    press("ButtonV");
    EXPECT_TRUE(manual->isVisible());
    EXPECT_TRUE(app.session().log.lines().empty());
}

TEST_F(MainWindowGuards, EveryLogLineAppearsInTheLogBox) {
    app.session().log.append("první řádek");
    press("Button15");
    const QString shown = control<QPlainTextEdit>(window::kMain, "Memo1")->toPlainText();
    EXPECT_EQ(str(shown), std::string("první řádek\n") + texts::kGuardCompetitors.cze);
}

TEST_F(MainWindowGuards, ChoosingTheStageMakesItTheCurrentStage) {
    auto* stages = control<QComboBox>(window::kMain, "hlavni_etapa");
    stages->addItems({QStringLiteral("1"), QStringLiteral("2")});
    stages->setCurrentIndex(1);
    EXPECT_EQ(app.session().race.currentStageText(), "2");
    EXPECT_EQ(app.session().race.currentStage(), 2);
}

} // namespace
} // namespace ravik::test
