// The "PDF" buttons of the results window: beside "Výsledky" of the stage group
// (stage or relay page), beside "Výsledky" of the overall group and beside the
// answer statistics.
#include "app/application.h"
#include "app/pdf_buttons.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "core/captions.h"

#include <QPushButton>

namespace ravik {

void ResultsWindow::buildPdfButtons() {
    Button2Pdf = addPdfButton(Button2, window::kResults, "Button2Pdf");
    Button1Pdf = addPdfButton(Button1, window::kResults, "Button1Pdf");
    ButtonStatsPdf = addPdfButton(ButtonStats, window::kResults, "ButtonStatsPdf");
    connect(Button2Pdf, &QPushButton::clicked, this, [this] { writeStagePdf(); });
    connect(Button1Pdf, &QPushButton::clicked, this, [this] { writeOverallPdf(); });
    connect(ButtonStatsPdf, &QPushButton::clicked, this, [this] { writeStatisticsPdf(); });
}

namespace {

// The command first, as its own button runs it; the PDF only from a page it wrote now.
bool pdfAfter(QWidget* window, Session& session, bool commandFinished, const std::string& pagePath,
              std::string& pdfPath) {
    pdfPath.clear();
    if (!commandFinished || pagePath.empty()) return false;
    return runCommand(window, [&] { pdfPath = writePdfBesidePage(session, pagePath); });
}

} // namespace

bool ResultsWindow::writeStagePdf() {
    const bool finished = runStageResults();
    return pdfAfter(this, app_.session(), finished, lastPagePath, lastPdfPath);
}

bool ResultsWindow::writeOverallPdf() {
    const bool finished = runOverallResults();
    return pdfAfter(this, app_.session(), finished, lastOverallPagePath, lastPdfPath);
}

bool ResultsWindow::writeStatisticsPdf() {
    const bool finished = showAnswerStatistics();
    return pdfAfter(this, app_.session(), finished, lastStatisticsPath, lastPdfPath);
}

} // namespace ravik
