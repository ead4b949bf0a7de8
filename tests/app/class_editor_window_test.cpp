#include "app/application.h"
#include "app/class_editor_window.h"
#include "app/main_window.h"
#include "core/cp1250.h"
#include "core/race_file.h"
#include "setup/race_opening.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::ScriptedPrompt;
using test::TempFolder;

struct EditorApp {
    TempFolder folder;
    ScriptedPrompt* prompt;
    std::unique_ptr<RavikApp> app;

    EditorApp() {
        auto scripted = std::make_unique<ScriptedPrompt>();
        prompt = scripted.get();
        app = std::make_unique<RavikApp>(std::move(scripted));
        prompt->inputs = {folder.file("Cup.ravik")};
        app->mainWindow().onOpenRace();
    }
    std::string racePath() const { return folder.file("Cup.ravik"); }
    ClassEditorWindow& editor() { return app->classEditorWindow(); }
};

QString cell(QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void type(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) grid->setItem(row, column, item = new QTableWidgetItem);
    item->setText(text);
}

// Types the text key by key, as a person would.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit, &release);
    }
}

TEST(ClassEditorWindow, ATypedClassIsSavedAndShownAgainFromTheFile) {
    EditorApp race;
    ClassEditorWindow& window = race.editor();
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Závod"));
    EXPECT_EQ(window.etapa->text(), "1");
    EXPECT_EQ(cell(window.XStringGrid1, 19, 0), "Cluster 20");
    EXPECT_EQ(cell(window.XStringGrid3, 0, 0), "K 21");
    QApplication::processEvents();
    EXPECT_GE(window.Label2->width(), window.Label2->sizeHint().width()) << "the date hint is shown whole";

    type(window.seznam_kategorii, 0, 0, "H21");
    type(window.seznam_kategorii, 1, 0, "D21");
    window.onClassListLeft();
    window.onClassGroupEntered();
    EXPECT_EQ(window.kategorie->text(), "H21");
    EXPECT_EQ(race.app->session().log.lastLine(), "Byla aktivována kategorie H21");

    typeInto(window.zavod_nazev, "Jarní pohár");
    typeInto(window.zavod_datum, "2026-05-11");
    typeInto(window.zavod_misto, "Brno");
    typeInto(window.zavod_start, "09:30");
    type(window.XStringGrid2, 0, 1, "c");
    type(window.XStringGrid2, 0, 2, "b");
    type(window.XStringGrid2, 1, 1, "a");
    type(window.XStringGrid2, 1, 2, "z");
    window.onControlGridLeft(window.XStringGrid2);
    EXPECT_EQ(cell(window.XStringGrid2, 0, 1), "A-C");
    type(window.XStringGrid3, 4, 1, "A-B");
    type(window.XStringGrid3, 4, 2, "A");
    typeInto(window.pSI, "6x4");
    EXPECT_EQ(window.pSI->text(), "64") << "number edits keep only digits";
    window.SIEdit1->click();
    EXPECT_EQ(cell(window.XStringGrid2, 0, 3), "64");
    EXPECT_EQ(cell(window.XStringGrid2, 0, 9), "69");
    type(window.XStringGrid2, 1, 9, "77");
    type(window.XStringGrid1, 2, 1, "a");
    type(window.XStringGrid1, 2, 10, "x");
    window.onClusterGridLeft();
    typeInto(window.limit, "75");
    typeInto(window.cas_penalizace, "30");
    typeInto(window.P1od, "201");
    typeInto(window.P1do, "202");
    window.Button1->click();

    const RaceRecord saved = readStage(race.racePath(), 1);
    EXPECT_EQ(saved.race_name, utf8ToCp1250("Jarní pohár"));
    EXPECT_EQ(saved.stage_start, "09:30");
    const ClassDefinition& h21 = saved.classes[0];
    EXPECT_EQ(h21.class_name, "H21");
    EXPECT_EQ(saved.classes[1].class_name, "D21");
    EXPECT_EQ(h21.control_flags[0], "A-C");
    EXPECT_EQ(h21.control_answer[0], "B");
    EXPECT_EQ(h21.answer_codes[0], (std::array<std::int32_t, 7>{64, 65, 67, 0, 0, 0, 69}));
    EXPECT_EQ(h21.answer_codes[1], (std::array<std::int32_t, 7>{70, 0, 0, 0, 0, 0, 77}));
    EXPECT_EQ(h21.control_flags[24], "A-B");
    EXPECT_EQ(h21.cluster_answers[2][0], "A");
    EXPECT_EQ(h21.cluster_answers[2][9], "X");
    EXPECT_EQ(h21.time_limit, 75);
    EXPECT_EQ(h21.cluster_penalty, 30);
    EXPECT_EQ(h21.break1_from_code, 201);

    // A second program run shows the same values from the file.
    race.app.reset();
    auto prompt = std::make_unique<ScriptedPrompt>();
    prompt->inputs = {race.racePath()};
    RavikApp second(std::move(prompt));
    second.mainWindow().onOpenRace();
    ClassEditorWindow& shown = second.classEditorWindow();
    shown.show();
    EXPECT_EQ(shown.kategorie->text(), "H21");
    EXPECT_EQ(shown.zavod_nazev->text(), "Jarní pohár");
    EXPECT_EQ(cell(shown.seznam_kategorii, 1, 0), "D21");
    EXPECT_EQ(cell(shown.XStringGrid2, 0, 1), "A-C");
    EXPECT_EQ(cell(shown.XStringGrid2, 0, 5), "67");
    EXPECT_EQ(cell(shown.XStringGrid2, 0, 6), "");
    EXPECT_EQ(cell(shown.XStringGrid3, 4, 1), "A-B");
    EXPECT_EQ(cell(shown.XStringGrid1, 2, 10), "X");
    EXPECT_EQ(shown.limit->text(), "75");
    EXPECT_EQ(shown.P1do->text(), "202");
    EXPECT_EQ(shown.P2od->text(), "");
}

TEST(ClassEditorWindow, TheRightMouseButtonTakesTheControlUnderItOverFromTheMainClass) {
    EditorApp race;
    RaceRecord stage = readStage(race.racePath(), 1);
    stage.classes[0].class_name = "H21";
    stage.classes[0].control_flags[6] = "A-B";
    stage.classes[0].control_answer[6] = "B";
    stage.classes[0].answer_codes[6] = {40, 41, 0, 0, 0, 0, 42};
    stage.classes[1].class_name = "D21";
    writeStage(race.racePath(), 1, stage);
    ClassEditorWindow& window = race.editor();
    window.show();
    window.onClassSelected(1);
    ASSERT_EQ(window.kategorie->text(), "D21");

    race.prompt->inputs = {std::string("7")};
    const QPointF atRow3(10, 3 * ClassEditorWindow::kTakeOverRowHeight + 5);
    QMouseEvent release(QEvent::MouseButtonRelease, atRow3,
                        window.XStringGrid3->viewport()->mapToGlobal(atRow3), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(window.XStringGrid3->viewport(), &release);
    ASSERT_EQ(race.prompt->inputCalls.size(), 1u);
    EXPECT_EQ(race.prompt->inputCalls[0].title, "Doplň SI (K24) podle kontrol hlavní kategorie");
    EXPECT_EQ(cell(window.XStringGrid3, 3, 1), "A-B");
    EXPECT_EQ(cell(window.XStringGrid3, 3, 2), "B");
    EXPECT_EQ(cell(window.XStringGrid3, 3, 3), "40");
    EXPECT_EQ(cell(window.XStringGrid3, 3, 9), "42");
    EXPECT_EQ(cell(window.XStringGrid3, 3, 5), "");

    window.Button1->click();
    EXPECT_EQ(readStage(race.racePath(), 1).classes[1].answer_codes[23][6], 42);
}

TEST(ClassEditorWindow, AnswerCellsOfferTheirValueLists) {
    EditorApp race;
    ClassEditorWindow& window = race.editor();
    window.show();
    const auto listOf = [](QTableWidget* grid, int column) {
        QStyleOptionViewItem option;
        QWidget* editor = grid->itemDelegateForColumn(column)->createEditor(grid->viewport(), option,
                                                                            grid->model()->index(0, column));
        QStringList values;
        if (auto* box = qobject_cast<QComboBox*>(editor))
            for (int i = 0; i < box->count(); ++i)
                values << box->itemText(i);
        delete editor;
        return values;
    };
    const QStringList answers{"", "A", "B", "C", "D", "E", "F", "X", "Z"};
    EXPECT_EQ(listOf(window.XStringGrid1, 1), answers);
    EXPECT_EQ(listOf(window.XStringGrid1, 9), answers);
    EXPECT_EQ(listOf(window.XStringGrid1, 10), (QStringList{"", "X"}));
    EXPECT_EQ(listOf(window.XStringGrid2, 2), answers);
    EXPECT_EQ(listOf(window.XStringGrid3, 2), answers);
    EXPECT_EQ(window.XStringGrid2->itemDelegateForColumn(1), nullptr) << "flags are free text";
}

TEST(ClassEditorWindow, LeavingTheGridsAndEnteringTheClassGroupsFollowTheFocus) {
    EditorApp race;
    ClassEditorWindow& window = race.editor();
    window.show();
    QApplication::setActiveWindow(&window);
    const auto moveFocus = [](QWidget* to) {
        to->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    };
    moveFocus(window.zavod_misto);
    moveFocus(window.XStringGrid2);
    if (QApplication::focusWidget() != window.XStringGrid2)
        GTEST_SKIP() << "no keyboard focus on this platform";
    EXPECT_EQ(race.prompt->shown, (std::vector<std::string>{"Není definovaná žádná kategorie."}));

    type(window.seznam_kategorii, 0, 0, "H21");
    moveFocus(window.seznam_kategorii);
    moveFocus(window.XStringGrid3);
    EXPECT_EQ(readStage(race.racePath(), 1).classes[0].class_name, "H21") << "leaving the list saves";
    EXPECT_EQ(window.kategorie->text(), "H21") << "entering the controls activates the first class";

    type(window.XStringGrid3, 0, 1, "d");
    type(window.XStringGrid3, 0, 2, "c");
    type(window.XStringGrid2, 0, 1, "e");
    moveFocus(window.XStringGrid1);
    EXPECT_EQ(cell(window.XStringGrid3, 0, 1), "A-D");
    EXPECT_EQ(cell(window.XStringGrid3, 0, 2), "C");
    EXPECT_EQ(cell(window.XStringGrid2, 0, 1), "e") << "only the grid left is rewritten";
    type(window.XStringGrid1, 0, 3, "f");
    moveFocus(window.limit);
    EXPECT_EQ(cell(window.XStringGrid1, 0, 3), "F");
}

void pressKey(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST(ClassEditorWindow, DeleteAndBackspaceClearTheSelectedCellsAndTheClusterGridIsHeaded) {
    EditorApp race;
    ClassEditorWindow& window = race.editor();
    window.show();
    QStringList headings;
    for (int column = 0; column < window.XStringGrid1->columnCount(); ++column)
        headings << window.XStringGrid1->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headings, (QStringList{"", "1", "2", "3", "4", "5", "6", "7", "8", "9", "X"}));
    EXPECT_FALSE(window.XStringGrid1->horizontalHeader()->isHidden());

    const auto select = [](QTableWidget* grid, int row, int fromColumn, int toColumn) {
        grid->clearSelection();
        grid->setRangeSelected(QTableWidgetSelectionRange(row, fromColumn, row, toColumn), true);
    };
    for (int task = 1; task <= 4; ++task)
        type(window.XStringGrid1, 0, task, "A");
    select(window.XStringGrid1, 0, 0, 3);
    pressKey(window.XStringGrid1, Qt::Key_Delete);
    EXPECT_EQ(cell(window.XStringGrid1, 0, 0), "Cluster 1") << "row titles stay";
    EXPECT_EQ(cell(window.XStringGrid1, 0, 3), "");
    EXPECT_EQ(cell(window.XStringGrid1, 0, 4), "A") << "a cell not selected stays";

    for (QTableWidget* grid : {window.XStringGrid2, window.XStringGrid3}) {
        type(grid, 5, 1, "A-B");
        type(grid, 5, 2, "B");
        select(grid, 5, 1, 2);
        pressKey(grid, Qt::Key_Backspace);
        EXPECT_EQ(cell(grid, 5, 1), "");
        EXPECT_EQ(cell(grid, 5, 2), "");
    }
}

TEST(ClassEditorWindow, TheMainWindowsStageLineStaysThatOfItsOwnStage) {
    EditorApp race;
    RaceRecord first = readStage(race.racePath(), 1);
    first.stage_date = "2026-05-11";
    first.stage_place = "Brno";
    writeStage(race.racePath(), 1, first);
    RaceRecord second = first;
    second.stage_number = 2;
    second.stage_date = "2026-05-12";
    second.stage_place = "Blansko";
    appendStage(race.racePath(), second);
    MainWindow& main = race.app->mainWindow();
    main.showStageCount(2);
    ClassEditorWindow& window = race.editor();
    window.show();
    ASSERT_EQ(main.hlavni_etapa->currentText(), "1");
    EXPECT_EQ(main.hlavni_misto->text(), "2026-05-11 Brno");

    window.onStageChosen(1);
    ASSERT_EQ(window.etapa->text(), "2");
    typeInto(window.zavod_misto, "Adamov");
    window.onSave();
    EXPECT_EQ(readStage(race.racePath(), 2).stage_place, "Adamov");
    EXPECT_EQ(main.hlavni_misto->text(), "2026-05-11 Brno") << "the editor's stage is not the main window's";
    EXPECT_EQ(main.zavod_datum->text(), "2026-05-11");

    main.hlavni_etapa->setCurrentText("2");
    EXPECT_EQ(main.hlavni_misto->text(), "2026-05-12 Adamov");
    typeInto(window.zavod_misto, "Rudice");
    window.onSave();
    EXPECT_EQ(main.hlavni_misto->text(), "2026-05-12 Rudice") << "a save of its own stage shows at once";
}

} // namespace
} // namespace ravik
