// Unassigned cards from the main window: a card of Memo2 given to a competitor,
// then a read-out pass writes his punch file and slip.
#include "app/assign_card_dialog.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "core/prompt.h"
#include "core/session.h"
#include "core/texts/readout_texts.h"
#include "readout/card_assignment.h"
#include "setup/stage_display.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace ravik {

void MainWindow::onAssignCard() {
    QString line = Memo2->textCursor().block().text();
    if (cardOfUnassignedLine(toUtf8(line)).empty()) line = Memo2->document()->firstBlock().text();
    assignCardOfLine(line);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo2->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        assignCardOfLine(Memo2->cursorForPosition(click->position().toPoint()).block().text());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::assignCardOfLine(const QString& line) {
    const std::string card = cardOfUnassignedLine(toUtf8(line));
    if (card.empty()) {
        prompt_.information(session_.text(texts::kAssignNoCard));
        return;
    }
    std::vector<AssignCandidate> candidates;
    if (!runCommand(this, [&] {
            const std::string stageFolder = session_.race.currentStageFolder();
            const auto stage = readCurrentStage(session_.race);
            const std::string cardClass =
                stage ? likelyClassOfCard(*stage, punchedCodesOfCard(stageFolder, card)) : std::string();
            candidates = assignCandidates(session_.table, cardClass);
        }))
        return;
    delete assignDialog_;
    assignDialog_ = new AssignCardDialog(card, std::move(candidates), session_.language, this);
    connect(assignDialog_, &QDialog::finished, this, [this, dialog = assignDialog_](int outcome) {
        const std::string id = dialog->chosenId();
        const std::string chosenCard = dialog->card();
        dialog->deleteLater();
        if (assignDialog_ == dialog) assignDialog_ = nullptr;
        if (outcome != QDialog::Accepted || id.empty()) return;
        // Saved first: the pass that follows finds him by the card in his SI cell.
        if (runCommand(this, [&] { ravik::assignCard(session_, chosenCard, id); })) runReadout();
    });
    assignDialog_->open();
}

} // namespace ravik
