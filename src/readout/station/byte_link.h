#pragma once
// The serial line to a master station, as the read-out sees it. The window
// gives a QSerialPort behind it, the command line the platform's serial port,
// the tests a pseudo-terminal.
#include <chrono>
#include <string>
#include <string_view>

namespace ravik::station {

enum class LinkOpen { Opened, Missing, Busy, NoPermission, Failed };

struct LinkOpenResult {
    LinkOpen status = LinkOpen::Failed;
    std::string detail; // the system's words, for the message
};

enum class LinkRead {
    Data,    // at least one byte was appended
    Timeout, // nothing arrived in time
    Lost,    // the port is gone (station unplugged)
};

class ByteLink {
public:
    virtual ~ByteLink() = default;
    // Opens the port at the speed (8N1, raw, no flow control); an open port only
    // changes its speed.
    virtual LinkOpenResult open(int baudRate) = 0;
    virtual void close() = 0;
    // Writes all bytes; false when the port is gone.
    virtual bool write(std::string_view bytes) = 0;
    // Appends what arrives within the time-out.
    virtual LinkRead read(std::string& into, std::chrono::milliseconds timeout) = 0;
    // Drops what arrived and was not read yet.
    virtual void discardInput() = 0;
};

} // namespace ravik::station
