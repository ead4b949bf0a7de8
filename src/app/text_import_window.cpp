#include "app/text_import_window.h"

#include "app/application.h"
#include "app/competitor_window.h"
#include "app/language_switch.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/session.h"
#include "entries/import_report.h"
#include "entries/text_import.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravik {
namespace {

QString caption(const char* control) {
    return captionText(window::kTextImport, control, Language::Czech);
}

} // namespace

TextImportWindow::TextImportWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kTextImport));
    setWindowTitle(QStringLiteral("Import"));

    Label2 = named<QLabel>("Label2", this, caption("Label2"));
    QFont headingFont = Label2->font();
    headingFont.setPointSize(headingFont.pointSize() + 4);
    headingFont.setBold(true);
    Label2->setFont(headingFont);

    // The layout line and the text share one fixed-pitch font, so the columns line up.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Label1 = named<QLabel>("Label1", this, caption("Label1"));
    Label1->setFont(fixed);
    Memo1 = named<QPlainTextEdit>("Memo1", this);
    Memo1->setFont(fixed);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1 = named<QPushButton>("Button1", this, QStringLiteral("Import"));

    auto* page = new QVBoxLayout(this);
    page->addWidget(Label2);
    page->addWidget(Label1);
    page->addWidget(Memo1, 1);
    page->addWidget(Button1, 0, Qt::AlignLeft);
    resize(760, 480);
    connect(Button1, &QPushButton::clicked, this, &TextImportWindow::onImport);
}

void TextImportWindow::onImport() {
    runCommand(this, [this] {
        Session& session = app_.session();
        CompetitorWindow& competitors = app_.competitorWindow();
        const int stage = competitors.drawStage();
        const auto added = importFixedColumnText(session.table, toCp1250(Memo1->toPlainText()), stage,
                                                 session.language, session.log);
        logImportedClasses(added, session.race, stage, session.language, session.log);
        competitors.refreshTable();
        competitors.saveTable();
    });
}

} // namespace ravik
