// The main window's controls as the program starts, the date rewrite, the zoom
// hint and the choice of the read-out log.
#include "app/lamp.h"
#include "app/main_window.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/texts/core_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace ravik::test {
namespace {

class MainWindowControls : public AppTest {};

TEST_F(MainWindowControls, StartWithTheirInitialValues) {
    EXPECT_EQ(str(app.mainWindow().windowTitle()), "Ravik");
    EXPECT_EQ(str(control<QLabel>(window::kMain, "nazev_zavodu")->text()), texts::kNoRaceOpen.cze);
    EXPECT_TRUE(control<QLineEdit>(window::kMain, "umisteni")->text().isEmpty());
    EXPECT_FALSE(app.session().race.isOpen());
    EXPECT_EQ(str(control<QLineEdit>(window::kMain, "intervalCSV")->text()), "5");
    EXPECT_TRUE(control<QCheckBox>(window::kMain, "CheckBox2")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(window::kMain, "CheckBox4")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(window::kMain, "CheckBox3")->isChecked());
    EXPECT_EQ(str(control<QCheckBox>(window::kMain, "CheckBox5")->text()), "Rotate 90°");
    EXPECT_TRUE(control<QLineEdit>(window::kMain, "zavod_datum")->isHidden());
    EXPECT_EQ(control<Lamp>(window::kMain, "Shape1")->color(), Lamp::silver());
}

TEST_F(MainWindowControls, TimersAreStoppedWithTheirIntervals) {
    auto* poll = control<QTimer>(window::kMain, "Timer1");
    auto* backup = control<QTimer>(window::kMain, "backupTimer");
    EXPECT_FALSE(poll->isActive());
    EXPECT_EQ(poll->interval(), 5000);
    EXPECT_FALSE(backup->isActive());
    EXPECT_EQ(backup->interval(), 300000);
}

TEST_F(MainWindowControls, StopButtonStopsTheReadoutTimer) {
    auto* poll = control<QTimer>(window::kMain, "Timer1");
    poll->start();
    control<QAbstractButton>(window::kMain, "SpeedButton1")->click();
    EXPECT_FALSE(poll->isActive());
    EXPECT_TRUE(app.session().log.lines().empty());
}

// A tick that comes while a message box waits is left for the next tick: the box's
// own event loop must not run a read-out pass inside the command that opened it.
TEST_F(MainWindowControls, ReadoutTickWaitsWhileADialogIsOpen) {
    auto* poll = control<QTimer>(window::kMain, "Timer1");
    auto* lamp = control<Lamp>(window::kMain, "Shape1");
    QMessageBox box;
    box.setModal(true);
    box.show();
    QMetaObject::invokeMethod(poll, "timeout");
    EXPECT_EQ(lamp->color(), Lamp::silver());
    box.close();
    QMetaObject::invokeMethod(poll, "timeout");
    EXPECT_NE(lamp->color(), Lamp::silver()); // the pass ran and turned the lamp
}

TEST_F(MainWindowControls, RewriteDateIsEditableOnlyWhileTheRewriteIsOn) {
    auto* rewrite = control<QCheckBox>(window::kMain, "CheckBox1");
    auto* date = control<QLineEdit>(window::kMain, "novedatum");
    EXPECT_EQ(str(date->placeholderText()), "YYYY-MM-DD");
    EXPECT_TRUE(date->isReadOnly());
    const QColor grey = date->palette().color(QPalette::Base);

    rewrite->click();
    EXPECT_FALSE(date->isReadOnly());
    const QColor normal = date->palette().color(QPalette::Base);
    EXPECT_NE(normal, grey);
    EXPECT_EQ(normal, app.mainWindow().palette().color(QPalette::Base));

    rewrite->click();
    EXPECT_TRUE(date->isReadOnly());
    EXPECT_EQ(date->palette().color(QPalette::Base), grey);
}

TEST_F(MainWindowControls, ZoomRunsFrom1To50AndItsHintShowsThePosition) {
    auto* zoom = control<QSlider>(window::kMain, "zoom");
    EXPECT_EQ(zoom->minimum(), 1);
    EXPECT_EQ(zoom->maximum(), 50);
    EXPECT_EQ(zoom->value(), 1);
    EXPECT_EQ(str(zoom->toolTip()), "1");
    zoom->setValue(17);
    EXPECT_EQ(str(zoom->toolTip()), "17");
    zoom->setValue(99);
    EXPECT_EQ(str(zoom->toolTip()), "50");
}

TEST_F(MainWindowControls, ReadoutLogChosenWithTheDialogGoesIntoCestaSI) {
    auto* path = control<QLineEdit>(window::kMain, "cestaSI");
    prompt->inputs.push_back("/data/si/readout log.csv");
    control<QAbstractButton>(window::kMain, "Button18")->click();
    EXPECT_EQ(str(path->text()), "/data/si/readout log.csv");
    ASSERT_EQ(prompt->filters.size(), 1u);
    EXPECT_EQ(prompt->filters[0], texts::kReadOutLogFilter);

    prompt->inputs.push_back(std::nullopt); // cancelled
    control<QAbstractButton>(window::kMain, "SpeedButton2")->click();
    EXPECT_EQ(str(path->text()), "/data/si/readout log.csv");
    EXPECT_EQ(prompt->filters.size(), 2u);
}

TEST_F(MainWindowControls, PrintListDeleteOnlyTellsItIsNotThere) {
    app.mainWindow().onPrintListDelete();
    ASSERT_EQ(prompt->shown.size(), 1u);
    EXPECT_EQ(prompt->shown[0], "Not implemented yet.");
}

} // namespace
} // namespace ravik::test
