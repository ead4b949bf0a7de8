#pragma once
// The serial ports of the computer and which of them look like a SportIdent
// station (the USB IDs of the station's USB-serial bridge).
#include <string>
#include <vector>

namespace ravik::station {

inline constexpr unsigned kSportIdentVendorId = 0x10C4;
inline constexpr unsigned kSportIdentProductId = 0x800A;

inline bool isSportIdentStation(unsigned vendorId, unsigned productId) {
    return vendorId == kSportIdentVendorId && productId == kSportIdentProductId;
}

struct SerialPort {
    std::string path;        // "/dev/ttyUSB0", "COM5"
    std::string description; // the USB device's maker and product, when known
    bool sportIdent = false;
};

// The computer's ports as the platform lists them (on Linux from the tty class of
// sysfs at `sysfsRoot`: USB and ACM ports, and built-in ports that have hardware).
std::vector<SerialPort> listSerialPorts(const std::string& sysfsRoot = "/sys/class/tty");

} // namespace ravik::station
