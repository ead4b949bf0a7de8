// The windows the program creates, the browser window, the conversions at the
// edge, file-dialog filters and the error box of a command.
#include "app/browser_window.h"
#include "app/competitor_window.h"
#include "app/dialog_prompt.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/competitor_table.h"
#include "core/errors.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWebEngineView>

namespace ravik::test {
namespace {

class Windows : public AppTest {};

TEST_F(Windows, AreCreatedInTheProgramsOrderHiddenWithTheirTitles) {
    const std::vector<std::pair<const char*, const char*>> expected = {
        {window::kMain, "Ravik"},
        {window::kCompetitors, "Ravik / Závodníci"},
        {window::kTextImport, "Import"},
        {window::kBrowser, ""},
        {window::kClassEditor, "Závod"},
        {window::kManualEntry, "Manuální zadávání ražení"},
        {window::kResults, "Výsledky"},
        {window::kPublish, "FTP"},
        {window::kPrintPreview, "Mezičasy"},
    };
    const std::vector<QWidget*> windows = app.windows();
    ASSERT_EQ(windows.size(), expected.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(str(windows[i]->objectName()), expected[i].first);
        EXPECT_EQ(str(windows[i]->windowTitle()), expected[i].second) << expected[i].first;
        EXPECT_FALSE(windows[i]->isVisible()) << expected[i].first;
    }
}

TEST_F(Windows, CompetitorWindowHasTheTableDrawAndPopupMenu) {
    auto* table = control<QTableWidget>(window::kCompetitors, "tabulka");
    EXPECT_EQ(table->columnCount(), kTableColumns);
    EXPECT_EQ(str(table->horizontalHeaderItem(column::kName)->text()),
              columnHeading(column::kName, Language::Czech));
    auto* classes = control<QComboBox>(window::kCompetitors, "los_kat");
    ASSERT_EQ(classes->count(), 1);
    EXPECT_EQ(str(classes->itemText(0)), "vše");
    EXPECT_EQ(str(control<QLineEdit>(window::kCompetitors, "interval")->text()), "2");
    EXPECT_EQ(str(control<QLineEdit>(window::kCompetitors, "pstart")->text()), "0");
    EXPECT_TRUE(control<QCheckBox>(window::kCompetitors, "nahoda")->isChecked());
    EXPECT_EQ(control<QMenu>(window::kCompetitors, "PopupMenu1")->actions().size(), 11);
    EXPECT_EQ(str(control<QAction>(window::kCompetitors, "PopupItem10")->text()), "Srovnat podle státu");
}

TEST_F(Windows, ClassEditorGridsHaveTheirSizesAndRowTitles) {
    auto* clusters = control<QTableWidget>(window::kClassEditor, "XStringGrid1");
    EXPECT_EQ(clusters->rowCount(), 20);
    EXPECT_EQ(clusters->columnCount(), 11);
    EXPECT_EQ(str(clusters->item(19, 0)->text()), "Cluster 20");
    auto* first = control<QTableWidget>(window::kClassEditor, "XStringGrid2");
    auto* second = control<QTableWidget>(window::kClassEditor, "XStringGrid3");
    EXPECT_EQ(first->rowCount(), 20);
    EXPECT_EQ(second->columnCount(), 10);
    EXPECT_EQ(str(first->item(0, 0)->text()), "K 1");
    EXPECT_EQ(str(second->item(0, 0)->text()), "K 21");
    EXPECT_EQ(control<QTableWidget>(window::kClassEditor, "seznam_kategorii")->rowCount(), 9);
    EXPECT_EQ(str(control<QLineEdit>(window::kClassEditor, "pSI")->text()), "31");
}

TEST_F(Windows, ResultsWindowStartsWithItsDefaults) {
    const std::pair<const char*, const char*> edits[] = {{"Edit1", "60"}, {"Edit2", "300"}, {"Edit3", "10"},
                                                         {"Edit4", "6"},  {"Edit5", "30"},  {"Edit7", "16"}};
    for (const auto& [name, text] : edits)
        EXPECT_EQ(str(control<QLineEdit>(window::kResults, name)->text()), text) << name;
    EXPECT_EQ(control<QListWidget>(window::kResults, "ListBox1")->selectionMode(),
              QAbstractItemView::MultiSelection);
    EXPECT_FALSE(control<QCheckBox>(window::kResults, "CheckBox8")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(window::kResults, "CheckBox9")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(window::kResults, "ee1")->isEnabled());
}

TEST_F(Windows, OnlyClosingTheMainWindowEndsTheProgram) {
    for (QWidget* w : app.windows())
        EXPECT_EQ(w->testAttribute(Qt::WA_QuitOnClose), w == static_cast<QWidget*>(&app.mainWindow()))
            << str(w->objectName());
}

TEST_F(Windows, PublishingWindowStartsWithTheServiceUserAndTheRaceFolderButtonHidden) {
    EXPECT_EQ(str(control<QLineEdit>(window::kPublish, "VXuser")->text()), "VXuser");
    EXPECT_TRUE(control<QPushButton>(window::kPublish, "FTPzavod")->isHidden());
    EXPECT_EQ(str(control<QPushButton>(window::kPublish, "Button9")->text()), "Info - 0");
    EXPECT_EQ(str(control<QLineEdit>(window::kPublish, "Edit3")->text()), "10");
    EXPECT_FALSE(control<QTimer>(window::kPublish, "Timer1")->isActive());
    EXPECT_EQ(control<QListWidget>(window::kPublish, "ListBox1")->selectionMode(),
              QAbstractItemView::MultiSelection);
}

TEST_F(Windows, ManualEntryShowsBreakEditsOnlyWhenAClassHasBreaks) {
    for (const char* name : {"x1_od", "x1_do", "x2_od", "x2_do"})
        EXPECT_TRUE(control<QLineEdit>(window::kManualEntry, name)->isHidden()) << name;
    EXPECT_FALSE(control<QLineEdit>(window::kManualEntry, "start")->isHidden());
    EXPECT_EQ(str(control<QLabel>(window::kManualEntry, "SI1")->text()), "SI1");
    EXPECT_EQ(str(control<QLineEdit>(window::kManualEntry, "SI7")->text()), "datum");
}

TEST_F(Windows, TextImportLayoutLineAndTextShareAFixedPitchFont) {
    const QFont layout = control<QLabel>(window::kTextImport, "Label1")->font();
    const QFont text = control<QPlainTextEdit>(window::kTextImport, "Memo1")->font();
    EXPECT_EQ(layout.family(), text.family());
    EXPECT_TRUE(QFontInfo(text).fixedPitch());
}

TEST_F(Windows, BrowserFillsTheWindowButForAMarginAndShowsThePageOnlyWhenAsked) {
    auto& browserWindow = app.browserWindow();
    EXPECT_EQ(browserWindow.size(), QSize(928, 480));
    EXPECT_EQ(browserWindow.browser->geometry(), QRect(0, 0, 910, 444));

    TempFolder folder;
    const QString page = fromUtf8(folder.file("vysledky_E1.htm"));
    writeFile(folder.file("vysledky_E1.htm"), "<html><body>1</body></html>");
    browserWindow.showPage(page, false);
    EXPECT_FALSE(browserWindow.isVisible());
    EXPECT_EQ(browserWindow.windowTitle(), page);
    EXPECT_EQ(browserWindow.browser->url(), QUrl::fromLocalFile(page));

    browserWindow.showPage(page, true);
    EXPECT_TRUE(browserWindow.isVisible());
    browserWindow.resize(600, 400);
    EXPECT_EQ(browserWindow.browser->geometry(), QRect(0, 0, 582, 364));
}

TEST(FileFilter, BecomesQtsFormWithSpacesBetweenPatterns) {
    EXPECT_EQ(qtFileFilter("SportIDENT Reader CSV|*.csv|any file|*.*").toStdString(),
              "SportIDENT Reader CSV (*.csv);;any file (*.*)");
    EXPECT_EQ(qtFileFilter("Pages|*.htm;*.html").toStdString(), "Pages (*.htm *.html)");
}

TEST(QtText, CodePage1250AndUtf8AtTheEdge) {
    const std::string cp1250 = "\x8A\x9D\xE1rka"; // Šťárka
    EXPECT_EQ(fromCp1250(cp1250).toStdString(), "Šťárka");
    EXPECT_EQ(toCp1250(QString::fromUtf8("Šťárka")), cp1250);
    EXPECT_EQ(toUtf8(fromUtf8(std::string("Příliš žluťoučký"))), "Příliš žluťoučký");
}

TEST(RunCommand, ErrorsEndTheCommandWithTheirMessage) {
    int steps = 0;
    EXPECT_EQ(commandError([&] { ++steps; }), std::nullopt);
    const auto io = commandError([&] {
        ++steps;
        throw IoError("Cannot write file /race/E1/12.si");
        ++steps;
    });
    EXPECT_EQ(steps, 2);
    ASSERT_TRUE(io);
    EXPECT_EQ(io->toStdString(), "Cannot write file /race/E1/12.si");
    EXPECT_EQ(commandError([] { throw ConversionError("'1x' is not a number"); })->toStdString(),
              "'1x' is not a number");
    // A message quoting a code page 1250 cell shows its characters.
    EXPECT_EQ(commandError([] { throw ConversionError("\x8A\x9D\xE1rka"); })->toStdString(), "Šťárka");
    EXPECT_TRUE(runCommand(nullptr, [] {}));
}

} // namespace
} // namespace ravik::test
