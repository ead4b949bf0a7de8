// The CZE and GBR buttons: every row of the caption table, the race-name
// labels, the all-classes item of the draw and the position of Edit5.
#include "app/language_switch.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/texts/core_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace ravik::test {
namespace {

class LanguageSwitch : public AppTest {
protected:
    void press(const char* button) { control<QAbstractButton>(window::kMain, button)->click(); }

    // What the control of a table row shows now.
    QString shown(const CaptionRow& row) {
        QWidget* w = window(row.window);
        if (!w) return QStringLiteral("<no window>");
        if (row.kind == CaptionKind::WindowTitle) return w->windowTitle();
        QObject* object = w->findChild<QObject*>(QLatin1String(row.control));
        if (!object) return QStringLiteral("<no control>");
        if (row.kind == CaptionKind::Hint) {
            if (auto* action = qobject_cast<QAction*>(object)) return action->toolTip();
            return qobject_cast<QWidget*>(object)->toolTip();
        }
        if (row.kind == CaptionKind::Item) {
            auto* box = qobject_cast<QComboBox*>(object);
            return box ? box->itemText(row.item) : QStringLiteral("<not a list>");
        }
        if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
        if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(object)) return group->title();
        if (auto* action = qobject_cast<QAction*>(object)) return action->text();
        return QStringLiteral("<not a captioned control>");
    }

    void expectEveryRow(Language language) {
        for (const CaptionRow& row : captionTable())
            EXPECT_EQ(str(shown(row)), tr(language, row.text)) << row.window << " / " << row.control;
    }

    QLabel* raceLabel(const char* windowName) { return control<QLabel>(windowName, "nazev_zavodu"); }
};

TEST_F(LanguageSwitch, AtStartEveryRowIsCzechButThePublishingWindowStartsInEnglish) {
    EXPECT_EQ(app.session().language, Language::Czech);
    for (const CaptionRow& row : captionTable()) {
        const Language created =
            std::string(row.window) == window::kPublish ? Language::English : Language::Czech;
        EXPECT_EQ(str(shown(row)), tr(created, row.text)) << row.window << " / " << row.control;
    }
}

TEST_F(LanguageSwitch, EnglishThenCzechCaptionsEveryRowOfTheTable) {
    press("GBR");
    EXPECT_EQ(app.session().language, Language::English);
    expectEveryRow(Language::English);

    press("CZE");
    EXPECT_EQ(app.session().language, Language::Czech);
    expectEveryRow(Language::Czech);
}

TEST_F(LanguageSwitch, CompetitorWindowTitleFollowsItsHeading) {
    press("GBR");
    EXPECT_EQ(str(window(window::kCompetitors)->windowTitle()), "Ravik / Competitors");
    press("CZE");
    EXPECT_EQ(str(window(window::kCompetitors)->windowTitle()), "Ravik / Závodníci");
}

TEST_F(LanguageSwitch, RaceNameLabelsKeepARaceNameAndSwitchTheNoRaceText) {
    raceLabel(window::kMain)->setText(QStringLiteral("Jarní TrailO"));
    press("GBR");
    EXPECT_EQ(str(raceLabel(window::kMain)->text()), "Jarní TrailO");
    EXPECT_EQ(str(raceLabel(window::kCompetitors)->text()), texts::kNoRaceOpen.gbr);

    raceLabel(window::kCompetitors)->setText(QStringLiteral("Jarní TrailO"));
    press("CZE");
    EXPECT_EQ(str(raceLabel(window::kMain)->text()), "Jarní TrailO");
    EXPECT_EQ(str(raceLabel(window::kCompetitors)->text()), "Jarní TrailO");

    raceLabel(window::kMain)->setText(QString::fromUtf8(texts::kNoRaceOpen.cze));
    press("GBR");
    EXPECT_EQ(str(raceLabel(window::kMain)->text()), texts::kNoRaceOpen.gbr);
}

TEST_F(LanguageSwitch, AllClassesItemIsRenamedWhereverItStandsAndClassesStay) {
    auto* classes = control<QComboBox>(window::kCompetitors, "los_kat");
    classes->clear();
    classes->addItems({QStringLiteral("H21"), QString::fromUtf8("vše"), QStringLiteral("D21")});

    press("GBR");
    EXPECT_EQ(str(classes->itemText(0)), "H21");
    EXPECT_EQ(str(classes->itemText(1)), "all");
    EXPECT_EQ(str(classes->itemText(2)), "D21");

    press("CZE");
    EXPECT_EQ(str(classes->itemText(0)), "H21");
    EXPECT_EQ(str(classes->itemText(1)), "vše");
    EXPECT_EQ(str(classes->itemText(2)), "D21");
}

TEST_F(LanguageSwitch, Edit5StandsAt272InEnglishAnd328InCzech) {
    auto* edit5 = control<QLineEdit>(window::kResults, "Edit5");
    EXPECT_EQ(edit5->x(), 328);
    const int top = edit5->y();
    press("GBR");
    EXPECT_EQ(edit5->x(), 272);
    EXPECT_EQ(edit5->y(), top);
    press("CZE");
    EXPECT_EQ(edit5->x(), 328);
}

TEST(CaptionText, LooksUpTheTableByWindowControlAndKind) {
    EXPECT_EQ(captionText(window::kResults, "CheckBox1", Language::English).toStdString(),
              "Courses are the same");
    EXPECT_TRUE(captionText(window::kResults, "CheckBox1", Language::English, CaptionKind::Hint)
                    .startsWith(QStringLiteral("Influent")));
    EXPECT_EQ(
        captionText(window::kManualEntry, "", Language::English, CaptionKind::WindowTitle).toStdString(),
        "Manual input of punching");
    EXPECT_TRUE(captionText(window::kMain, "NoSuchControl", Language::Czech).isEmpty());
}

} // namespace
} // namespace ravik::test
