#include "readout/station/serial_ports.h"

#include "core/platform/serial_port.h"

namespace ravik::station {

std::vector<SerialPort> listSerialPorts(const std::string& sysfsRoot) {
    std::vector<SerialPort> ports;
    for (platform::SerialPortInfo& found : platform::listSerialPorts(sysfsRoot))
        ports.push_back({.path = std::move(found.name),
                         .description = std::move(found.description),
                         .sportIdent = isSportIdentStation(found.vendorId, found.productId)});
    return ports;
}

} // namespace ravik::station
