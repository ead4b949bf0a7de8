#include "app/pdf_buttons.h"

#include "app/language_switch.h"
#include "app/widgets.h"
#include "core/session.h"
#include "core/texts/pdf_texts.h"
#include "drawing/page_pdf.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QPushButton>

namespace ravik {
namespace {

// The box or grid that holds the widget, searched from the top layout down.
QLayout* layoutHolding(QLayout* layout, QWidget* widget) {
    if (!layout) return nullptr;
    if (layout->indexOf(widget) >= 0) return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* found = layoutHolding(layout->itemAt(i)->layout(), widget)) return found;
    return nullptr;
}

} // namespace

QPushButton* addPdfButton(QPushButton* command, const char* window, const char* name) {
    QWidget* parent = command->parentWidget();
    auto* pdf = named<QPushButton>(name, parent, captionText(window, name, Language::Czech));
    pdf->setToolTip(captionText(window, name, Language::Czech, CaptionKind::Hint));
    QLayout* holder = layoutHolding(parent->layout(), command);
    if (auto* box = qobject_cast<QBoxLayout*>(holder)) {
        box->insertWidget(box->indexOf(command) + 1, pdf);
    } else if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
        int row = 0, column = 0, rows = 1, columns = 1;
        grid->getItemPosition(grid->indexOf(command), &row, &column, &rows, &columns);
        grid->removeWidget(command);
        auto* pair = new QHBoxLayout;
        pair->addWidget(command, 1);
        pair->addWidget(pdf);
        grid->addLayout(pair, row, column, rows, columns);
    }
    return pdf;
}

std::string writePdfBesidePage(Session& session, const std::string& pagePath) {
    const std::string pdfPath = pdfPathBeside(pagePath);
    writePagePdf(pagePath, pdfPath, session.language);
    session.log.append(session.text(texts::kPdfWritten) + pdfPath);
    return pdfPath;
}

} // namespace ravik
