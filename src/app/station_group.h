#pragma once
// The main window's "Station" group: reads cards straight from a SportIdent
// master station into the SI log (cestaSI). The port box lists the serial
// ports with a SportIdent station chosen first; after each card the window's
// read-out pass runs at once, so the slip comes out while the runner waits. A
// station unplugged is looked for again until it is back.
#include "readout/station/card_contents.h"
#include "readout/station/master_station.h"

#include <QGroupBox>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace ravik {

class Session;
class StationSerialLink;
namespace station {
class StationReadout;
}

class StationGroup : public QGroupBox {
    Q_OBJECT
public:
    // logPath gives cestaSI (UTF-8); afterCard runs the read-out pass.
    StationGroup(Session& session, std::function<std::string()> logPath, std::function<void()> afterCard,
                 QWidget* parent);
    ~StationGroup() override;

    QLabel* stationPortLabel;
    QComboBox* stationPort; // editable: any port name or path may be typed
    QPushButton* stationConnect;
    QPushButton* stationDisconnect;
    QLabel* stationStatus;
    QLabel* stationLastCardLabel;
    QLabel* stationLastCard;
    QTimer* stationTimer; // partial frames, passes held back by a dialog, looking for an unplugged station

public slots:
    void onConnect();
    void onDisconnect();
    void refreshPorts();
    // The status and last-card lines in the session's language.
    void showState();

private:
    bool connectTo(const QString& port);
    void poll();
    void onTimer();
    void lookForStation();
    void disconnectLink();

    Session& session_;
    std::function<std::string()> logPath_;
    std::function<void()> afterCard_;
    std::unique_ptr<StationSerialLink> link_;
    std::unique_ptr<station::StationReadout> readout_;
    // A lost port is let go outside its own signals, at the next tick.
    std::unique_ptr<StationSerialLink> retiredLink_;
    std::unique_ptr<station::StationReadout> retiredReadout_;
    station::Connection connection_;
    QString port_;
    bool lost_ = false;    // unplugged: looked for at every tick
    bool busy_ = false;    // inside a read-out or its pass
    bool passDue_ = false; // a card came while a dialog was open
    int ticksToNextLook_ = 0;
    std::optional<station::CardContents> lastCard_;
};

} // namespace ravik
