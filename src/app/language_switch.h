#pragma once
// The language switch (buttons CZE and GBR of the main window): sets the
// session's language and re-captions the windows from the caption table.
#include "core/captions.h"
#include "core/language.h"

#include <QString>
#include <vector>

class QLabel;
class QWidget;

namespace ravik {

class RavikApp;
class Session;

// The text the caption table gives a control (or, with an empty control and
// CaptionKind::WindowTitle, the window; with CaptionKind::Item, the control's item at
// that position); empty when the table has no such row.
QString captionText(const char* window, const char* control, Language language,
                    CaptionKind kind = CaptionKind::Caption, int item = -1);

// A named label captioned from the table; the windows are built in Czech (the
// publishing window in English).
QLabel* captionLabel(const char* window, const char* name, QWidget* parent,
                     Language language = Language::Czech);

// Qt's own texts (dialog buttons OK, Cancel, Yes, No) in the language: Qt's Czech
// catalogue is loaded while Czech is on.
void useQtCatalogue(Language language);

// Switches among the given windows (found by their objectName).
void applyLanguage(Session& session, const std::vector<QWidget*>& windows, Language language);
// Switches all windows of the program.
void applyLanguage(RavikApp& app, Language language);

} // namespace ravik
