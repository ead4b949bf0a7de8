// The XML buttons: "XML TempO" and "XML PreO" (the result list of the stage in
// ComboBox1), "XML startovka" (its start list) and "XML štafety" (its relays) in
// the stage group, "XML celkové" (the overall results) in the overall group; every
// file written beside the race file.
#include "app/application.h"
#include "app/language_switch.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/session.h"
#include "exports/result_list_export.h"
#include "exports/xml_lists_export.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace ravik {

void ResultsWindow::buildXmlButtons() {
    auto caption = [](const char* control) {
        return captionText(window::kResults, control, Language::Czech);
    };
    XMLTempO = named<QPushButton>("XMLTempO", GroupBox1, QStringLiteral("XML TempO"));
    XMLPreO = named<QPushButton>("XMLPreO", GroupBox1, QStringLiteral("XML PreO"));
    XMLStartList = named<QPushButton>("XMLStartList", GroupBox1, caption("XMLStartList"));
    XMLRelay = named<QPushButton>("XMLRelay", GroupBox1, caption("XMLRelay"));
    XMLOverall = named<QPushButton>("XMLOverall", GroupBox6, caption("XMLOverall"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {XMLTempO, XMLPreO, XMLStartList, XMLRelay})
        buttons->addWidget(button);
    buttons->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(GroupBox1->layout()))
        grid->addLayout(buttons, grid->rowCount(), 0, 1, grid->columnCount());
    // Under the group's "Výsledky", beside the class list.
    if (auto* grid = qobject_cast<QGridLayout*>(GroupBox6->layout())) grid->addWidget(XMLOverall, 5, 1);
    connect(XMLTempO, &QPushButton::clicked, this, [this] { exportXml(ResultListKind::TempO); });
    connect(XMLPreO, &QPushButton::clicked, this, [this] { exportXml(ResultListKind::PreO); });
    connect(XMLStartList, &QPushButton::clicked, this, [this] { exportXmlStartList(); });
    connect(XMLRelay, &QPushButton::clicked, this, [this] { exportXmlRelay(); });
    connect(XMLOverall, &QPushButton::clicked, this, [this] { exportXmlOverall(); });
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

bool ResultsWindow::exportXmlStartList() {
    bool written = false;
    const bool finished = runCommand(this, [&] {
        written =
            exportStartListXml(app_.session(), ComboBox1->currentText().toInt(), app_.prompt()).has_value();
    });
    return finished && written;
}

bool ResultsWindow::exportXmlRelay() {
    bool written = false;
    const bool finished = runCommand(this, [&] {
        const ResultsRunOptions stage = readStageOptions();
        written = exportRelayXml(app_.session(),
                                 {.scoring = stage.scoring,
                                  .form = stage.relayForm,
                                  .legControls = stage.legControls,
                                  .cache = stage.cache},
                                 app_.prompt())
                      .has_value();
    });
    return finished && written;
}

bool ResultsWindow::exportXmlOverall() {
    bool written = false;
    const bool finished = runCommand(this, [&] {
        written = exportOverallXml(app_.session(), readOverallOptions(), readScoringControls(1),
                                   app_.prompt(), [this](int stage) { return scoreCacheOf(stage); })
                      .has_value();
    });
    return finished && written;
}

} // namespace ravik
