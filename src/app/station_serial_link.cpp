#include "app/station_serial_link.h"

#include "core/platform/serial_port.h"

#include <QFileInfo>

namespace ravik {

using station::LinkOpen;
using station::LinkRead;

namespace {

// An unplugged USB station shows as a resource error; a hung-up line (a closed
// pseudo-terminal) as a read error.
bool portGone(const QSerialPort& port) {
    return !port.isOpen() || port.error() == QSerialPort::ResourceError ||
           port.error() == QSerialPort::ReadError;
}

} // namespace

StationSerialLink::StationSerialLink(const QString& portName) {
    port_.setPortName(portName);
}

station::LinkOpenResult StationSerialLink::open(int baudRate) {
    if (!port_.isOpen() && !port_.open(QIODevice::ReadWrite)) {
        const std::string detail = port_.errorString().toStdString();
        switch (port_.error()) {
        case QSerialPort::DeviceNotFoundError:
            return {LinkOpen::Missing, detail};
        case QSerialPort::PermissionError: {
            // Qt says the same for a port another program holds and for one we may not open.
            const QFileInfo file(port_.portName().startsWith('/') ? port_.portName()
                                                                  : "/dev/" + port_.portName());
            return {file.isReadable() && file.isWritable() ? LinkOpen::Busy : LinkOpen::NoPermission, detail};
        }
        default:
            return {LinkOpen::Failed, detail};
        }
    }
    // The lock ravik-cli's reader takes too: one reader per station, also for root.
    if (!platform::lockOpenSerialPort(port_.handle())) {
        port_.close();
        return {LinkOpen::Busy, {}};
    }
    const bool set = port_.setBaudRate(baudRate) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        const std::string detail = port_.errorString().toStdString();
        port_.close();
        return {LinkOpen::Failed, detail};
    }
    return {LinkOpen::Opened, {}};
}

bool StationSerialLink::write(std::string_view bytes) {
    if (portGone(port_)) return false;
    if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return false;
    return port_.waitForBytesWritten(1000) || port_.bytesToWrite() == 0;
}

LinkRead StationSerialLink::read(std::string& into, std::chrono::milliseconds timeout) {
    if (portGone(port_)) return LinkRead::Lost;
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(static_cast<int>(timeout.count()))) {
        if (portGone(port_)) return LinkRead::Lost;
        port_.clearError();
        return LinkRead::Timeout;
    }
    const QByteArray data = port_.readAll();
    if (portGone(port_)) return LinkRead::Lost;
    if (data.isEmpty()) return LinkRead::Timeout;
    into.append(data.constData(), static_cast<std::size_t>(data.size()));
    return LinkRead::Data;
}

void StationSerialLink::discardInput() {
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

} // namespace ravik
