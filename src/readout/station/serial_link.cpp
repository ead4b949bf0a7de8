#include "readout/station/serial_link.h"

namespace ravik::station {

namespace {

LinkOpen linkOpenOf(platform::SerialOpen status) {
    switch (status) {
    case platform::SerialOpen::Opened:
        return LinkOpen::Opened;
    case platform::SerialOpen::Missing:
        return LinkOpen::Missing;
    case platform::SerialOpen::Busy:
        return LinkOpen::Busy;
    case platform::SerialOpen::NoPermission:
        return LinkOpen::NoPermission;
    case platform::SerialOpen::Failed:
        break;
    }
    return LinkOpen::Failed;
}

} // namespace

LinkOpenResult SerialLink::open(int baudRate) {
    if (port_.isOpen()) {
        std::string detail;
        if (port_.setSpeed(baudRate, detail)) return {LinkOpen::Opened, {}};
        port_.close();
        return {LinkOpen::Failed, detail};
    }
    platform::SerialOpenResult opened = port_.open(path_, baudRate);
    return {linkOpenOf(opened.status), std::move(opened.detail)};
}

LinkRead SerialLink::read(std::string& into, std::chrono::milliseconds timeout) {
    switch (port_.read(into, timeout)) {
    case platform::SerialRead::Data:
        return LinkRead::Data;
    case platform::SerialRead::Timeout:
        return LinkRead::Timeout;
    case platform::SerialRead::Lost:
        break;
    }
    return LinkRead::Lost;
}

} // namespace ravik::station
