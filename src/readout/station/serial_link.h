#pragma once
// The station's serial port as ravik-cli and the tests open it: the platform's
// serial port (termios, a COM port) behind the read-out's byte link. The port is
// held exclusively while it is open, so a second reader is told it is busy.
#include "core/platform/serial_port.h"
#include "readout/station/byte_link.h"

#include <string>

namespace ravik::station {

class SerialLink : public ByteLink {
public:
    explicit SerialLink(std::string path) : path_(std::move(path)) {}
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    LinkOpenResult open(int baudRate) override;
    void close() override { port_.close(); }
    bool write(std::string_view bytes) override { return port_.write(bytes); }
    LinkRead read(std::string& into, std::chrono::milliseconds timeout) override;
    void discardInput() override { port_.discardInput(); }

    const std::string& path() const { return path_; }
    bool isOpen() const { return port_.isOpen(); }

private:
    std::string path_;
    platform::SerialPort port_;
};

} // namespace ravik::station
