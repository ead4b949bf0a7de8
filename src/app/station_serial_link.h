#pragma once
// The station's port in the window: a QSerialPort behind the read-out's byte
// link. Reads wait on the window's thread, never longer than the read-out's
// time-outs.
#include "readout/station/byte_link.h"

#include <QSerialPort>
#include <QString>

namespace ravik {

class StationSerialLink : public station::ByteLink {
public:
    explicit StationSerialLink(const QString& portName);

    station::LinkOpenResult open(int baudRate) override;
    void close() override { port_.close(); }
    bool write(std::string_view bytes) override;
    station::LinkRead read(std::string& into, std::chrono::milliseconds timeout) override;
    void discardInput() override;

    QSerialPort& port() { return port_; }

private:
    QSerialPort port_;
};

} // namespace ravik
