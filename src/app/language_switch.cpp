#include "app/language_switch.h"

#include "app/application.h"
#include "app/qt_text.h"
#include "app/station_group.h"
#include "core/competitor_table.h"
#include "core/session.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QTableWidget>
#include <QTranslator>
#include <QWidget>
#include <cstring>

namespace ravik {
namespace {

const char* otherWording(const Text& text, Language language) {
    return language == Language::English ? text.cze : text.gbr;
}

QWidget* findWindow(const std::vector<QWidget*>& windows, const char* name) {
    for (QWidget* window : windows)
        if (window && window->objectName() == QLatin1String(name)) return window;
    return nullptr;
}

void setCaption(QObject* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
}

void setHint(QObject* control, const QString& text) {
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setToolTip(text);
}

void applyRow(QWidget* window, const CaptionRow& row, Language language) {
    const QString text = fromUtf8(tr(language, row.text));
    if (row.kind == CaptionKind::WindowTitle) {
        window->setWindowTitle(text);
        return;
    }
    QObject* control = window->findChild<QObject*>(QLatin1String(row.control));
    if (!control) return;
    switch (row.kind) {
    case CaptionKind::Caption:
        setCaption(control, text);
        break;
    case CaptionKind::Hint:
        setHint(control, text);
        break;
    case CaptionKind::NoRaceLabel:
        // A label that shows a race name keeps it.
        if (auto* label = qobject_cast<QLabel*>(control);
            label && label->text() == fromUtf8(otherWording(row.text, language)))
            label->setText(text);
        break;
    case CaptionKind::Item:
        if (auto* box = qobject_cast<QComboBox*>(control); box && row.item < box->count())
            box->setItemText(row.item, text);
        break;
    case CaptionKind::WindowTitle:
        break;
    }
}

// The draw-class box's all-classes item is renamed wherever it stands; class
// names stay as they are.
void renameAllClassesItem(QWidget* competitors, Language language) {
    auto* box = competitors->findChild<QComboBox*>(QStringLiteral("los_kat"));
    if (!box) return;
    const QString from = fromUtf8(otherWording(kAllClassesItem, language));
    const QString to = fromUtf8(tr(language, kAllClassesItem));
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == from) box->setItemText(i, to);
}

} // namespace

QString captionText(const char* window, const char* control, Language language, CaptionKind kind, int item) {
    for (const CaptionRow& row : captionTable())
        if (row.kind == kind && row.item == item && std::strcmp(row.window, window) == 0 &&
            std::strcmp(row.control, control) == 0)
            return fromUtf8(tr(language, row.text));
    return QString();
}

// Without Qt's Czech catalogue installed its texts stay English.
void useQtCatalogue(Language language) {
    static QTranslator* czech = nullptr;
    if (!QCoreApplication::instance()) return;
    if (language == Language::English) {
        if (czech) QCoreApplication::removeTranslator(czech);
        return;
    }
    if (!czech) {
        czech = new QTranslator(QCoreApplication::instance());
        if (!czech->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete czech;
            czech = nullptr;
            return;
        }
    }
    QCoreApplication::installTranslator(czech);
}

QLabel* captionLabel(const char* window, const char* name, QWidget* parent, Language language) {
    auto* label = new QLabel(captionText(window, name, language), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

void applyLanguage(Session& session, const std::vector<QWidget*>& windows, Language language) {
    session.language = language;
    useQtCatalogue(language);
    for (const CaptionRow& row : captionTable())
        if (QWidget* window = findWindow(windows, row.window)) applyRow(window, row, language);

    if (QWidget* competitors = findWindow(windows, window::kCompetitors)) {
        renameAllClassesItem(competitors, language);
        if (auto* heading = competitors->findChild<QLabel*>(QStringLiteral("Label1")))
            competitors->setWindowTitle(heading->text());
        if (auto* table = competitors->findChild<QTableWidget*>(QStringLiteral("tabulka")))
            for (int col = 0; col < table->columnCount() && col < kTableColumns; ++col)
                if (QTableWidgetItem* heading = table->horizontalHeaderItem(col))
                    heading->setText(fromUtf8(columnHeading(col, language)));
    }
    if (QWidget* main = findWindow(windows, window::kMain))
        for (StationGroup* station : main->findChildren<StationGroup*>())
            station->showState();
    if (QWidget* results = findWindow(windows, window::kResults)) {
        if (auto* edit5 = results->findChild<QWidget*>(QStringLiteral("Edit5")))
            edit5->move(edit5Left(language), edit5->y());
    }
}

void applyLanguage(RavikApp& app, Language language) {
    applyLanguage(app.session(), app.windows(), language);
}

} // namespace ravik
