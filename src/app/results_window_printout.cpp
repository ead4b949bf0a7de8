// The result printout's use of the results window: the window is prepared as
// when it is shown, the competitor's class is added to the selection of ListBox1
// and the stage is computed in printout mode.
#include "app/results_window.h"

#include "app/application.h"
#include "core/file_io.h"
#include "core/session.h"
#include "slips/printout.h"

#include <QListWidget>
#include <set>

namespace ravik {
namespace {

std::string itemName(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toByteArray().toStdString();
}

} // namespace

std::vector<PrintoutData> ResultsWindow::makePrintouts() {
    // Without the race file there is no stage to compute (a competitor chosen in an earlier race).
    const std::string& racePath = app_.session().race.racePath();
    if (racePath.empty() || !fileExists(racePath)) return {};
    // Preparing refills the class list; the classes selected before stay selected.
    std::set<std::string> selectedBefore;
    for (int row = 0; row < ListBox1->count(); ++row)
        if (ListBox1->item(row)->isSelected()) selectedBefore.insert(itemName(ListBox1->item(row)));
    prepare();

    PrintoutRequest request;
    request.competitorId = printoutCompetitor_;
    for (int row = 0; row < ListBox1->count(); ++row) {
        request.classNames.push_back(itemName(ListBox1->item(row)));
        request.selection.push_back(selectedBefore.count(request.classNames.back()) > 0);
    }

    struct ModeGuard {
        bool& mode;
        explicit ModeGuard(bool& m) : mode(m) { mode = true; }
        ~ModeGuard() { mode = false; }
    } guard(printoutMode);
    request.run = readStageOptions();
    PrintoutOutcome outcome;
    try {
        outcome = ravik::makePrintouts(app_.session(), stageRecord, request);
    } catch (...) {
        for (int row = 0; row < ListBox1->count(); ++row)
            ListBox1->item(row)->setSelected(request.selection[row]);
        throw;
    }
    for (int row = 0; row < ListBox1->count(); ++row)
        ListBox1->item(row)->setSelected(outcome.selection[row]);
    return outcome.printouts;
}

} // namespace ravik
