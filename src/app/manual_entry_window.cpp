#include "app/manual_entry_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/widgets.h"
#include "core/captions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ravik {

ManualEntryWindow::ManualEntryWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kManualEntry));
    setWindowTitle(captionText(window::kManualEntry, "", Language::Czech, CaptionKind::WindowTitle));

    ID = named<QComboBox>("ID", this);
    Jmeno = named<QComboBox>("Jmeno", this);
    cip = named<QLabel>("cip", this);
    kat = named<QLabel>("kat", this);
    SI1 = named<QLabel>("SI1", this, QStringLiteral("SI1"));

    start = named<QLineEdit>("start", this);
    cil = named<QLineEdit>("cil", this);
    // The break edits and their labels show only for breaks that the class defines.
    x1_od_label = named<QLabel>("x1_od_label", this, QStringLiteral("Přerušení 1 od"));
    x1_od = named<QLineEdit>("x1_od", this);
    x1_do_label = named<QLabel>("x1_do_label", this, QStringLiteral("Přerušení 1 do"));
    x1_do = named<QLineEdit>("x1_do", this);
    x2_od_label = named<QLabel>("x2_od_label", this, QStringLiteral("Přerušení 2 od"));
    x2_od = named<QLineEdit>("x2_od", this);
    x2_do_label = named<QLabel>("x2_do_label", this, QStringLiteral("Přerušení 2 do"));
    x2_do = named<QLineEdit>("x2_do", this);
    for (QWidget* breakControl : {static_cast<QWidget*>(x1_od_label), static_cast<QWidget*>(x1_od),
                                  static_cast<QWidget*>(x1_do_label), static_cast<QWidget*>(x1_do),
                                  static_cast<QWidget*>(x2_od_label), static_cast<QWidget*>(x2_od),
                                  static_cast<QWidget*>(x2_do_label), static_cast<QWidget*>(x2_do)})
        breakControl->hide();
    SI7 = named<QLineEdit>("SI7", this, QStringLiteral("datum"));
    Label25 = named<QLabel>("Label25", this, captionText(window::kManualEntry, "Label25", Language::Czech));

    prukazkaPreO = named<QTableWidget>("prukazkaPreO", this, 5, 1);
    prukazkaTempO = named<QTableWidget>("prukazkaTempO", this, 1, 1);

    Button3 = named<QPushButton>("Button3", this, QStringLiteral("Save punch"));
    Button4 = named<QPushButton>("Button4", this, QStringLiteral("Save TC"));
    Button2 = named<QPushButton>("Button2", this, QStringLiteral("Ulož vše"));

    auto* competitor = new QGridLayout;
    addRow(competitor, 0, plainLabel(QStringLiteral("ID"), this), ID);
    addRow(competitor, 0, plainLabel(QStringLiteral("Jméno"), this), Jmeno, 2);
    addRow(competitor, 1, plainLabel(QStringLiteral("SI"), this), cip);
    addRow(competitor, 1, plainLabel(QStringLiteral("Kategorie"), this), kat, 2);
    competitor->addWidget(SI1, 1, 4);
    competitor->setColumnStretch(3, 1);

    auto* times = new QGridLayout;
    addRow(times, 0, plainLabel(QStringLiteral("Start"), this), start);
    addRow(times, 0, plainLabel(QStringLiteral("Cíl"), this), cil, 2);
    times->addWidget(Label25, 0, 4);
    addRow(times, 1, x1_od_label, x1_od);
    addRow(times, 1, x1_do_label, x1_do, 2);
    addRow(times, 2, x2_od_label, x2_od);
    addRow(times, 2, x2_do_label, x2_do, 2);
    addRow(times, 3, plainLabel(QStringLiteral("Datum"), this), SI7);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    buttons->addWidget(Button2);
    buttons->addStretch();

    auto* page = new QVBoxLayout(this);
    page->addLayout(competitor);
    page->addLayout(times);
    page->addWidget(prukazkaPreO, 1);
    page->addWidget(prukazkaTempO, 1);
    page->addLayout(buttons);
    resize(900, 600);
}

} // namespace ravik
