// The jury's controls of the stage group: the IOF rule for unanswered
// timed-control tasks and the answer statistics page.
#include "app/application.h"
#include "app/browser_window.h"
#include "app/language_switch.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/session.h"
#include "scoring/statistics_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace ravik {

void ResultsWindow::buildJuryControls() {
    CheckBoxIOF = named<QCheckBox>("CheckBoxIOF", GroupBox1,
                                   captionText(window::kResults, "CheckBoxIOF", Language::Czech));
    ButtonStats = named<QPushButton>("ButtonStats", GroupBox1,
                                     captionText(window::kResults, "ButtonStats", Language::Czech));
    auto* row = new QHBoxLayout;
    row->addWidget(CheckBoxIOF);
    row->addWidget(ButtonStats);
    row->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(GroupBox1->layout()))
        grid->addLayout(row, grid->rowCount(), 0, 1, grid->columnCount());
    connect(ButtonStats, &QPushButton::clicked, this, [this] { showAnswerStatistics(); });
}

bool ResultsWindow::showAnswerStatistics() {
    lastStatisticsPath.clear();
    return runCommand(this, [&] {
        StatisticsOptions options;
        options.stage = ComboBox1->currentText().toInt();
        options.selectedClasses = selectedClasses(ListBox1);
        options.unansweredIsWrong = CheckBoxIOF->isChecked();
        lastStatisticsPath = writeStatisticsPage(app_.session(), options);
        app_.browserWindow().showPage(QFileInfo(fromUtf8(lastStatisticsPath)).absoluteFilePath(),
                                      CheckBox20->isChecked());
    });
}

} // namespace ravik
