#pragma once
// A generated page (stage and relay results, overall results, start list, answer
// statistics) laid out for paper by Qt's text-document engine: A4, landscape when
// the table is too wide for portrait, scaled down when it is too wide even then,
// the table's heading on every page and the page number at each foot.
#include "core/language.h"

#include <string>

namespace ravik {

struct PagePdf {
    std::string bytes; // the PDF
    int pages = 0;
    bool landscape = false;
};

// `html` is the page as written (code page 1250); `folder` is where it lies, so
// that the flag pictures it refers to are found (empty: none are looked for);
// `title` (UTF-8) is the PDF's document title.
PagePdf pagePdf(const std::string& html, const std::string& folder, const std::string& title,
                Language language);

// Reads the page file and writes its PDF whole to `pdfPath`, titled with the
// page's file name (IoError when the page cannot be read or the PDF written).
// Returns the number of pages.
int writePagePdf(const std::string& pagePath, const std::string& pdfPath, Language language);

// The PDF's path beside a page: its ".htm" replaced by ".pdf".
std::string pdfPathBeside(const std::string& pagePath);

} // namespace ravik
