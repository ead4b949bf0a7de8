// The class editor sets a class to PreO Sprint: kept in the race's own file, the race file as before.
#include "app/application.h"
#include "app/class_editor_window.h"
#include "app/main_window.h"
#include "core/class_rules_file.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace ravik {
namespace {

TEST(ClassEditorSprint, ASprintClassIsSavedBesideTheRaceFileAndShownAgain) {
    test::TempFolder folder;
    auto scripted = std::make_unique<test::ScriptedPrompt>();
    test::ScriptedPrompt* prompt = scripted.get();
    RavikApp app(std::move(scripted));
    prompt->inputs = {folder.file("Cup.ravik")};
    app.mainWindow().onOpenRace();
    ClassEditorWindow& window = app.classEditorWindow();
    window.show();
    window.seznam_kategorii->setItem(0, 0, new QTableWidgetItem("Sprint"));
    window.onClassListLeft();
    window.onClassGroupEntered();
    const std::string raceBytes = test::readFile(folder.file("Cup.ravik"));

    window.sprint_format->setCurrentIndex(1);
    window.sprint_factor->setText("0,95");
    window.sprint_overtime->setText("30");
    window.onSave();
    EXPECT_TRUE(prompt->shown.empty());
    EXPECT_EQ(test::readFile(folder.file("Cup.ravik")), raceBytes);
    EXPECT_EQ(readStage(folder.file("Cup.ravik"), 1).classes[0].rules,
              (ClassRules{ClassFormat::PreOSprint, 0.95, 30}));

    window.sprint_format->setCurrentIndex(0);
    window.hide();
    window.show(); // loads the class from the files again
    EXPECT_EQ(window.sprint_format->currentText(), "PreO Sprint");
    EXPECT_EQ(window.sprint_factor->text(), "0.95");
    EXPECT_EQ(window.sprint_overtime->text(), "30");

    window.sprint_factor->setText("0");
    window.onSave();
    ASSERT_EQ(prompt->shown.size(), 1u);
    EXPECT_NE(prompt->shown[0].find("Koeficient času"), std::string::npos) << prompt->shown[0];
}

} // namespace
} // namespace ravik
