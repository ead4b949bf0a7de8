#include "app/assign_card_dialog.h"

#include "app/qt_text.h"
#include "app/widgets.h"
#include "core/texts/readout_texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravik {
namespace {

QString itemText(const AssignCandidate& candidate, Language language) {
    QString text = fromCp1250(candidate.id) + QStringLiteral("  ") + fromCp1250(candidate.name) +
                   QStringLiteral("  ") + fromCp1250(candidate.className);
    if (candidate.classOfCard) text += fromUtf8(ravik::tr(language, texts::kAssignDialogCardClass));
    return text;
}

} // namespace

AssignCardDialog::AssignCardDialog(const std::string& card, std::vector<AssignCandidate> candidates,
                                   Language language, QWidget* parent)
    : QDialog(parent), card_(card), candidates_(std::move(candidates)) {
    setObjectName(QStringLiteral("AssignCardDialog"));
    setWindowTitle(fromUtf8(ravik::tr(language, texts::kAssignDialogTitle)));
    cardLabel = named<QLabel>("cardLabel", this,
                              fromUtf8(ravik::tr(language, texts::kAssignDialogCard)).arg(fromUtf8(card)));
    search = named<QLineEdit>("search", this);
    search->setPlaceholderText(fromUtf8(ravik::tr(language, texts::kAssignDialogSearch)));
    search->setClearButtonEnabled(true);
    competitors = named<QListWidget>("competitors", this);
    buttons = named<QDialogButtonBox>("buttons", this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cardLabel);
    layout->addWidget(search);
    layout->addWidget(competitors);
    layout->addWidget(buttons);
    resize(420, 420);

    for (const AssignCandidate& candidate : candidates_) {
        auto* item = new QListWidgetItem(itemText(candidate, language), competitors);
        item->setData(Qt::UserRole, QByteArray::fromStdString(candidate.id));
    }
    if (competitors->count() > 0) competitors->setCurrentRow(0);
    const auto okEnabled = [this] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosenId().empty()); };
    okEnabled();
    connect(search, &QLineEdit::textChanged, this, [this, okEnabled](const QString& typed) {
        showMatching(typed);
        okEnabled();
    });
    connect(competitors, &QListWidget::currentRowChanged, this, okEnabled);
    connect(competitors, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// Hides the competitors whose ID and name do not contain the typed text (any letter case);
// the first one still shown becomes the choice when the choice was hidden.
void AssignCardDialog::showMatching(const QString& typed) {
    const QString wanted = typed.trimmed();
    for (int row = 0; row < competitors->count(); ++row) {
        const AssignCandidate& candidate = candidates_[static_cast<std::size_t>(row)];
        const bool matches = wanted.isEmpty() ||
                             fromCp1250(candidate.id).contains(wanted, Qt::CaseInsensitive) ||
                             fromCp1250(candidate.name).contains(wanted, Qt::CaseInsensitive);
        competitors->item(row)->setHidden(!matches);
    }
    QListWidgetItem* current = competitors->currentItem();
    if (current && !current->isHidden()) return;
    competitors->setCurrentRow(-1);
    for (int row = 0; row < competitors->count(); ++row)
        if (!competitors->item(row)->isHidden()) {
            competitors->setCurrentRow(row);
            return;
        }
}

std::string AssignCardDialog::chosenId() const {
    const QListWidgetItem* item = competitors->currentItem();
    if (!item || item->isHidden()) return {};
    return item->data(Qt::UserRole).toByteArray().toStdString();
}

} // namespace ravik
