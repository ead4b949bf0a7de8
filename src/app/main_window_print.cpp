// Result printouts from the main window: the print list, the print button and
// the printer zoom.
#include "app/main_window.h"

#include "app/application.h"
#include "app/print_preview_window.h"
#include "app/printout_painter.h"
#include "app/qt_text.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "core/prompt.h"
#include "core/session.h"
#include "core/texts/printout_texts.h"
#include "readout/print_list.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>

namespace ravik {
namespace {

// The item's text as the core holds it (code page 1250).
std::string itemText(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toByteArray().toStdString();
}

// The preview always gets the drawing; the printer only when CheckBox4 asks for it.
void presentPrintout(RavikApp& app, MainWindow& window, const PrintoutData& data) {
    Session& session = app.session();
    const PrintoutOptions options{.markWrongAnswers = window.CheckBox3->isChecked(),
                                  .language = session.language};
    PrintPreviewWindow& preview = app.printPreviewWindow();
    const bool showPreview = window.mezicasy_okno->isChecked();
    if (showPreview) preview.show();
    preview.drawPrintout(windowPrintout(data, options), fromUtf8(previewCaption(data)));
    if (showPreview) preview.show();
    if (!window.CheckBox4->isChecked()) return;

    QPrinter printer; // the default printer
    if (!window.printoutPdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(window.printoutPdfPath);
    }
    const PrintSetup setup{.layout =
                               static_cast<PrintLayout>(std::max(0, window.tisk_format->currentIndex())),
                           .zoom = window.zoom->value(),
                           .portrait = window.CheckBox5->isChecked()};
    if (!printSlip(printer, printerSlip(data, options, setup), fromUtf8(printJobTitle(data))))
        session.log.append(session.text(texts::kPrinterUnavailable));
}

} // namespace

// Makes the printout of the competitor chosen in the print list.
void MainWindow::onPrint() {
    runCommand(this, [&] {
        for (const PrintoutData& data : app_.resultsWindow().makePrintouts())
            presentPrintout(app_, *this, data);
    });
}

// Lists the punch files of the current stage folder. Only the items that differ
// from those shown are replaced: after a new card that is one.
void MainWindow::onPrintListRefresh() {
    const std::string folder = session_.race.currentStageFolder();
    std::vector<std::string> items = printListItems(printListFolder_.look(folder), session_.table);
    std::vector<std::string>& shown = printListShown_;
    std::size_t same = 0;
    while (same < shown.size() && same < items.size() && shown[same] == items[same])
        ++same;
    std::size_t sameAtEnd = 0;
    while (sameAtEnd < shown.size() - same && sameAtEnd < items.size() - same &&
           shown[shown.size() - 1 - sameAtEnd] == items[items.size() - 1 - sameAtEnd])
        ++sameAtEnd;
    for (std::size_t row = shown.size() - sameAtEnd; row-- > same;)
        delete ListBox1->takeItem(static_cast<int>(row));
    for (std::size_t row = same; row < items.size() - sameAtEnd; ++row) {
        auto* item = new QListWidgetItem(fromCp1250(items[row]));
        item->setData(Qt::UserRole, QByteArray::fromStdString(items[row]));
        ListBox1->insertItem(static_cast<int>(row), item);
    }
    shown = std::move(items);
}

// The chosen competitor goes to the results window, which keeps it until the next choice.
void MainWindow::onPrintListClicked() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    app_.resultsWindow().setPrintoutCompetitor(
        selected.isEmpty() ? std::string() : competitorIdOfItem(itemText(selected.first())));
}

// The slip comes first; the print list shows the new file, with the last slip's
// competitor selected, once the pass is over (the window is not drawn in between).
void MainWindow::printAfterReadout(const std::string& id) {
    const std::string folder = session_.race.currentStageFolder();
    const bool listed = printListHasItemOf(printListFolder_.look(folder), id);
    app_.resultsWindow().setPrintoutCompetitor(listed ? id : std::string());
    printListSelection_ = id;
    printListBehind_ = true;
    Button12->click();
}

void MainWindow::showPrintListAfterReadout() {
    if (!printListBehind_) return;
    printListBehind_ = false;
    onPrintListRefresh();
    ListBox1->clearSelection();
    for (std::size_t row = 0; row < printListShown_.size(); ++row)
        if (competitorIdOfItem(printListShown_[row]) == printListSelection_)
            ListBox1->item(static_cast<int>(row))->setSelected(true);
}

void MainWindow::onPrintListDelete() {
    prompt_.information(session_.text(texts::kNotImplementedYet));
}

void MainWindow::onZoomChanged(int position) {
    zoom->setToolTip(QString::number(position));
}

} // namespace ravik
