// ravik-cli without Qt: nothing is drawn; the commands ask drawingInBuild() first.
#include "cli/cli_drawing.h"

#include "core/errors.h"

namespace ravik::cli {

bool drawingInBuild() {
    return false;
}

int writePagePdfFile(const std::string&, const std::string& pdfPath, Language) {
    throw IoError("cannot write " + pdfPath + ": this build draws nothing");
}

void writeSlipPdfFile(const PrinterSlip&, const std::string&, const std::string& path) {
    throw IoError("cannot write " + path + ": this build draws nothing");
}

} // namespace ravik::cli
