#include "cli/cli_drawing.h"

#include "core/errors.h"
#include "core/texts/pdf_texts.h"

namespace ravik::cli {

int drawingNotInBuild(std::ostream& err, Language language) {
    err << "ravik-cli: " << tr(language, texts::kDrawingNotInBuild) << "\n";
    return 1;
}

int writeRequestedPdf(const std::string& pagePath, const std::string& pdfPath, Language language,
                      std::ostream& out, std::ostream& err) {
    try {
        writePagePdfFile(pagePath, pdfPath, language);
    } catch (const IoError& error) {
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
    out << pdfPath << "\n";
    return 0;
}

} // namespace ravik::cli
