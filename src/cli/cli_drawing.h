#pragma once
// What ravik-cli draws: slips and the PDF copies of its pages. Built with the
// drawing library (QtGui) or, without Qt, refusing with a message.
#include "core/language.h"
#include "slips/printer_slip.h"

#include <ostream>
#include <string>

namespace ravik::cli {

// Whether this build can draw.
bool drawingInBuild();

// The refusal of a build without Qt, on `err`; returns the exit status (1).
int drawingNotInBuild(std::ostream& err, Language language);

// The page file's PDF at `pdfPath`; returns its number of pages. IoError when it
// cannot be written.
int writePagePdfFile(const std::string& pagePath, const std::string& pdfPath, Language language);

// A slip as a one-page PDF titled `title` (UTF-8). IoError when it cannot be written.
void writeSlipPdfFile(const PrinterSlip& slip, const std::string& title, const std::string& path);

// `--pdf FILE` after a command wrote its page: the PDF written and its path
// printed, or the reason on `err`. Returns the exit status.
int writeRequestedPdf(const std::string& pagePath, const std::string& pdfPath, Language language,
                      std::ostream& out, std::ostream& err);

} // namespace ravik::cli
