#include "readout/station/serial_ports.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/serial.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>

namespace ravik::station {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The USB device above the tty's device in sysfs, if any.
std::optional<fs::path> usbDeviceOf(const fs::path& device) {
    std::error_code ec;
    for (fs::path at = fs::canonical(device, ec); !ec && at.has_relative_path(); at = at.parent_path())
        if (fs::exists(at / "idVendor", ec)) return at;
    return std::nullopt;
}

// A built-in 8250 port is listed only when the driver found a UART behind it.
bool hasUart(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    serial_struct info{};
    const bool found = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return found;
}

} // namespace

std::vector<SerialPort> listSerialPorts(const std::string& sysfsRoot) {
    std::vector<SerialPort> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysfsRoot, ec)) {
        const std::string name = entry.path().filename().string();
        const fs::path device = entry.path() / "device";
        if (!fs::exists(device, ec)) continue; // virtual terminals
        SerialPort port;
        port.path = "/dev/" + name;
        if (const auto usb = usbDeviceOf(device)) {
            const unsigned vendor =
                static_cast<unsigned>(std::stoul("0" + firstLine(*usb / "idVendor"), nullptr, 16));
            const unsigned product =
                static_cast<unsigned>(std::stoul("0" + firstLine(*usb / "idProduct"), nullptr, 16));
            port.sportIdent = isSportIdentStation(vendor, product);
            std::string maker = firstLine(*usb / "manufacturer"), model = firstLine(*usb / "product");
            port.description = maker.empty() || model.empty() ? maker + model : maker + " " + model;
        } else if (name.rfind("ttyS", 0) == 0 && !hasUart(port.path)) {
            continue;
        }
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPort& a, const SerialPort& b) { return a.path < b.path; });
    return ports;
}

} // namespace ravik::station
