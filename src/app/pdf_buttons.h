#pragma once
// The "PDF" buttons: each stands beside a command that writes a page, runs that
// command as its own button does and then lays the page out for paper in a PDF
// beside it (same name, ".pdf").
#include <string>

class QPushButton;
class QWidget;

namespace ravik {

class Session;

// A button named `name` captioned by the language switch, placed right of
// `command` in the layout that holds it (a box or a grid cell).
QPushButton* addPdfButton(QPushButton* command, const char* window, const char* name);

// The page's PDF beside it, logged as "PDF zapsáno - " + path; returns the path.
// IoError when the page cannot be read or the PDF written.
std::string writePdfBesidePage(Session& session, const std::string& pagePath);

} // namespace ravik
