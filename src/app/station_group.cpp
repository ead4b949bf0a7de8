#include "app/station_group.h"

#include "app/language_switch.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/station_serial_link.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/file_io.h"
#include "core/session.h"
#include "core/texts/station_texts.h"
#include "readout/station/serial_ports.h"
#include "readout/station/station_readout.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTimer>

namespace ravik {

namespace {

QString caption(const char* control) {
    return captionText(window::kMain, control, Language::Czech);
}

// The port box refreshes its list whenever it is opened.
class PortBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

bool isSportIdent(const QSerialPortInfo& info) {
    return info.hasVendorIdentifier() && info.hasProductIdentifier() &&
           station::isSportIdentStation(info.vendorIdentifier(), info.productIdentifier());
}

bool portExists(const QString& port) {
    if (port.startsWith('/')) return QFileInfo::exists(port);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.portName() == port || info.systemLocation() == port) return true;
    return false;
}

constexpr int kTickMs = 500;
constexpr int kTicksBetweenLooks = 4; // an unplugged station is looked for every 2 s

} // namespace

StationGroup::StationGroup(Session& session, std::function<std::string()> logPath,
                           std::function<void()> afterCard, QWidget* parent)
    : QGroupBox(caption("GroupBoxStation"), parent), session_(session), logPath_(std::move(logPath)),
      afterCard_(std::move(afterCard)) {
    setObjectName(QStringLiteral("GroupBoxStation"));
    stationPortLabel = named<QLabel>("stationPortLabel", this, caption("stationPortLabel"));
    auto* box = named<PortBox>("stationPort", this);
    box->beforePopup = [this] { refreshPorts(); };
    stationPort = box;
    stationPort->setEditable(true);
    stationPort->setMinimumWidth(220);
    stationConnect = named<QPushButton>("stationConnect", this, caption("stationConnect"));
    stationDisconnect = named<QPushButton>("stationDisconnect", this, caption("stationDisconnect"));
    stationStatus = named<QLabel>("stationStatus", this);
    stationStatus->setWordWrap(true);
    stationLastCardLabel = named<QLabel>("stationLastCardLabel", this, caption("stationLastCardLabel"));
    stationLastCard = named<QLabel>("stationLastCard", this);
    stationTimer = named<QTimer>("stationTimer", this);
    stationTimer->setInterval(kTickMs);

    auto* grid = new QGridLayout(this);
    grid->addWidget(stationPortLabel, 0, 0);
    grid->addWidget(stationPort, 0, 1);
    grid->addWidget(stationConnect, 0, 2);
    grid->addWidget(stationDisconnect, 0, 3);
    grid->addWidget(stationStatus, 1, 0, 1, 4);
    grid->addWidget(stationLastCardLabel, 2, 0);
    grid->addWidget(stationLastCard, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(stationConnect, &QPushButton::clicked, this, &StationGroup::onConnect);
    connect(stationDisconnect, &QPushButton::clicked, this, &StationGroup::onDisconnect);
    connect(stationTimer, &QTimer::timeout, this, &StationGroup::onTimer);
    refreshPorts();
    showState();
    stationTimer->start();
}

StationGroup::~StationGroup() = default;

// The serial ports, a SportIdent station first chosen; a port typed by hand stays.
void StationGroup::refreshPorts() {
    const QString typed = stationPort->currentText();
    stationPort->clear();
    int station = -1;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        stationPort->addItem(info.systemLocation());
        stationPort->setItemData(stationPort->count() - 1, info.description(), Qt::ToolTipRole);
        if (station < 0 && isSportIdent(info)) station = stationPort->count() - 1;
    }
    if (!typed.isEmpty())
        stationPort->setCurrentText(typed);
    else if (station >= 0)
        stationPort->setCurrentIndex(station);
}

bool StationGroup::connectTo(const QString& port) {
    auto link = std::make_unique<StationSerialLink>(port);
    auto readout = std::make_unique<station::StationReadout>(*link);
    connection_ = readout->connect();
    port_ = port;
    if (!connection_.connected()) return false;
    link_ = std::move(link);
    readout_ = std::move(readout);
    connect(&link_->port(), &QSerialPort::readyRead, this, &StationGroup::poll);
    lost_ = false;
    // A card acknowledged before the program or the station went away gets its punch file now.
    passDue_ = fileExists(logPath_());
    return true;
}

void StationGroup::onConnect() {
    const QString port = stationPort->currentText().trimmed();
    if (port.isEmpty()) {
        stationStatus->setText(fromUtf8(session_.text(texts::kNoPortChosen)));
        return;
    }
    disconnectLink();
    connectTo(port);
    session_.log.append(station::connectionText(connection_, toUtf8(port_), session_.language));
    showState();
}

void StationGroup::onDisconnect() {
    disconnectLink();
    connection_ = {};
    port_.clear();
    showState();
}

void StationGroup::disconnectLink() {
    readout_.reset();
    link_.reset();
    lost_ = false;
}

// Reads what the station sent; a card is logged, acknowledged and passed on to the read-out pass.
void StationGroup::poll() {
    if (busy_ || !readout_) return;
    busy_ = true;
    for (int handled = 0; readout_ && handled < 10; ++handled) {
        station::StationReport report =
            readout_->poll(std::chrono::milliseconds(0), logPath_(), session_.language);
        for (const std::string& message : report.messages)
            session_.log.append(message);
        if (report.kind == station::StationReportKind::Nothing) break;
        if (report.kind == station::StationReportKind::CardLogged) {
            lastCard_ = report.card;
            passDue_ = true;
        }
        if (report.kind == station::StationReportKind::Lost) {
            retiredReadout_ = std::move(readout_);
            retiredLink_ = std::move(link_);
            lost_ = true;
            ticksToNextLook_ = kTicksBetweenLooks;
        }
    }
    showState();
    // The pass prints and may show a message: not inside another dialog.
    if (passDue_ && !aDialogIsOpen()) {
        passDue_ = false;
        afterCard_();
    }
    busy_ = false;
}

void StationGroup::onTimer() {
    if (!busy_) { // a dialog of the pass may run this tick inside the lost port's own signal
        retiredReadout_.reset();
        retiredLink_.reset();
    }
    showState(); // also after a language switch
    if (lost_ && !busy_ && --ticksToNextLook_ <= 0) {
        ticksToNextLook_ = kTicksBetweenLooks;
        lookForStation();
    }
    poll();
}

// The same port again, or else any port with a SportIdent station's USB IDs.
void StationGroup::lookForStation() {
    QString port = portExists(port_) ? port_ : QString();
    if (port.isEmpty())
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            if (isSportIdent(info)) port = info.systemLocation();
    if (port.isEmpty()) return;
    const QString lostPort = port_;
    if (connectTo(port)) {
        stationPort->setCurrentText(port);
        session_.log.append(station::connectionText(connection_, toUtf8(port), session_.language));
    } else {
        // Something that answers as no station would block the window at every look: look less often.
        if (connection_.problem == station::StationProblem::NoAnswer)
            ticksToNextLook_ = 5 * kTicksBetweenLooks;
        port_ = lostPort;
        lost_ = true;
    }
    showState();
}

void StationGroup::showState() {
    std::string status;
    if (lost_)
        status = session_.text(texts::kStationLost);
    else if (port_.isEmpty())
        status = session_.text(texts::kNotConnected);
    else
        status = station::connectionText(connection_, toUtf8(port_), session_.language);
    stationStatus->setText(fromUtf8(status));
    stationLastCard->setText(lastCard_ ? fromUtf8(station::cardReadText(*lastCard_, session_.language))
                                       : QString());
    const bool connected = readout_ != nullptr;
    stationConnect->setEnabled(!connected && !lost_);
    stationDisconnect->setEnabled(connected || lost_);
    stationPort->setEnabled(!connected && !lost_);
}

} // namespace ravik
