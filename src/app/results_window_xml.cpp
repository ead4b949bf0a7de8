// The buttons "XML TempO" and "XML PreO" of the stage group: the IOF XML result
// list of the stage in ComboBox1, written beside the race file.
#include "app/application.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/session.h"
#include "exports/result_list_export.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace ravik {

void ResultsWindow::buildXmlButtons() {
    XMLTempO = named<QPushButton>("XMLTempO", GroupBox1, QStringLiteral("XML TempO"));
    XMLPreO = named<QPushButton>("XMLPreO", GroupBox1, QStringLiteral("XML PreO"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(XMLTempO);
    buttons->addWidget(XMLPreO);
    buttons->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(GroupBox1->layout()))
        grid->addLayout(buttons, grid->rowCount(), 0, 1, grid->columnCount());
    connect(XMLTempO, &QPushButton::clicked, this, [this] { exportXml(ResultListKind::TempO); });
    connect(XMLPreO, &QPushButton::clicked, this, [this] { exportXml(ResultListKind::PreO); });
}

bool ResultsWindow::exportXml(ResultListKind kind) {
    bool written = false;
    const bool finished = runCommand(this, [&] {
        ResultListOptions options;
        options.stage = ComboBox1->currentText().toInt();
        options.kind = kind;
        written = exportResultList(app_.session(), options, app_.prompt()).has_value();
    });
    return finished && written;
}

} // namespace ravik
