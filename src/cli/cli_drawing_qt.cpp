// ravik-cli with the drawing library.
#include "cli/cli_drawing.h"

#include "drawing/gui_application.h"
#include "drawing/page_pdf.h"
#include "drawing/slip_painter.h"

#include <QGuiApplication>

namespace ravik::cli {

bool drawingInBuild() {
    return true;
}

int writePagePdfFile(const std::string& pagePath, const std::string& pdfPath, Language language) {
    const auto application = guiApplicationForDrawing();
    return writePagePdf(pagePath, pdfPath, language);
}

void writeSlipPdfFile(const PrinterSlip& slip, const std::string& title, const std::string& path) {
    const auto application = guiApplicationForDrawing();
    writeSlipPdf(slip, title, path);
}

} // namespace ravik::cli
