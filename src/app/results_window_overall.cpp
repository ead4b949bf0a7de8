// The group "Celkové výsledky" of the results window: Button1 writes the overall
// page of the chosen stages and classes and shows it.
#include "app/application.h"
#include "app/browser_window.h"
#include "app/qt_text.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "core/session.h"
#include "exports/overall_run.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ravik {

void ResultsWindow::connectOverallGroup() {
    connect(Button1, &QPushButton::clicked, this, [this] { runOverallResults(); });
}

OverallOptions ResultsWindow::readOverallOptions() const {
    OverallOptions options;
    const std::array<const QCheckBox*, kStages> stages = {ee1, ee2, ee3, ee4, ee5};
    for (int stage = 0; stage < kStages; ++stage)
        options.stages[stage] = stages[stage]->isChecked();
    options.classes = selectedClasses(ListBox2);
    options.completeOnly = CheckBox9->isChecked();
    PageOptions& page = options.page;
    page.caption = toCp1250(nadpis->text());
    page.refreshSeconds = toUtf8(Edit2->text());
    page.rolling = CheckBox7->isChecked();
    page.rollPeriod = toUtf8(Edit5->text());
    page.holdLeaders = CheckBox8->isChecked();
    page.leaderPlaces = toUtf8(Edit4->text());
    return options;
}

bool ResultsWindow::runOverallResults() {
    lastOverallPagePath.clear();
    return runCommand(this, [&] {
        lastOverallPagePath =
            runOverall(app_.session(), readOverallOptions(), readScoringControls(1), [this](int stage) {
                return scoreCacheOf(stage);
            }).pagePath;
        app_.browserWindow().showPage(QFileInfo(fromUtf8(lastOverallPagePath)).absoluteFilePath(),
                                      CheckBox21->isChecked());
        recordJobIfAsked(JobKind::OverallResults);
    });
}

} // namespace ravik
