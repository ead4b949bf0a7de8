#pragma once
// "Přiřadit čip" / "Assign card": the competitors an unassigned card may belong to
// (without a card, those of the class the card's punches fit first), filtered by
// name or ID as the user types. Choosing one and OK gives the card to him.
#include "core/language.h"
#include "readout/card_assignment.h"

#include <QDialog>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace ravik {

class AssignCardDialog : public QDialog {
    Q_OBJECT
public:
    AssignCardDialog(const std::string& card, std::vector<AssignCandidate> candidates, Language language,
                     QWidget* parent);

    // The ID (code page 1250) of the chosen competitor; empty when none is chosen.
    std::string chosenId() const;
    const std::string& card() const { return card_; }

    QLabel* cardLabel;
    QLineEdit* search;
    QListWidget* competitors;
    QDialogButtonBox* buttons;

private:
    void showMatching(const QString& typed);

    std::string card_;
    std::vector<AssignCandidate> candidates_;
};

} // namespace ravik
