// The serial port on Linux: the terminal interface, locked with flock and TIOCEXCL;
// the port list from sysfs.
#include "core/platform/serial_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ravik::platform {

namespace fs = std::filesystem;

namespace {

speed_t speedOf(int baudRate) {
    switch (baudRate) {
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    default:
        return B38400;
    }
}

SerialOpen openStatusOf(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return SerialOpen::Missing;
    case EBUSY:
    case EWOULDBLOCK:
        return SerialOpen::Busy;
    case EACCES:
    case EPERM:
        return SerialOpen::NoPermission;
    default:
        return SerialOpen::Failed;
    }
}

bool applySettings(int fd, int baudRate) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, speedOf(baudRate));
    ::cfsetospeed(&settings, speedOf(baudRate));
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

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

SerialOpenResult SerialPort::open(const std::string& name, int baudRate) {
    close();
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {openStatusOf(error), std::strerror(error)};
    }
    // Another reader of the same port holds this lock (root passes TIOCEXCL, not flock).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        return {error == EWOULDBLOCK ? SerialOpen::Busy : openStatusOf(error), std::strerror(error)};
    }
    handle_ = fd;
    if (!applySettings(fd, baudRate)) {
        const int error = errno;
        close();
        return {error == ENOTTY ? SerialOpen::Failed : openStatusOf(error),
                error == ENOTTY ? "not a serial port" : std::strerror(error)};
    }
    discardInput();
    return {SerialOpen::Opened, {}};
}

bool SerialPort::setSpeed(int baudRate, std::string& detail) {
    if (handle_ < 0) return false;
    if (applySettings(static_cast<int>(handle_), baudRate)) return true;
    detail = std::strerror(errno);
    return false;
}

void SerialPort::close() {
    if (handle_ < 0) return;
    ::close(static_cast<int>(handle_));
    handle_ = -1;
}

bool SerialPort::write(std::string_view bytes) {
    if (handle_ < 0) return false;
    const int fd = static_cast<int>(handle_);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd waiting{fd, POLLOUT, 0};
            if (::poll(&waiting, 1, 1000) > 0 && !(waiting.revents & (POLLHUP | POLLERR | POLLNVAL)))
                continue;
        }
        return false;
    }
    return true;
}

SerialRead SerialPort::read(std::string& into, std::chrono::milliseconds timeout) {
    if (handle_ < 0) return SerialRead::Lost;
    const int fd = static_cast<int>(handle_);
    pollfd waiting{fd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, static_cast<int>(std::max<std::int64_t>(0, timeout.count())));
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return SerialRead::Lost;
    if (ready == 0) return SerialRead::Timeout;
    if (!(waiting.revents & POLLIN)) return SerialRead::Lost; // hung up: unplugged
    char buffer[1024];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        return SerialRead::Data;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return SerialRead::Timeout;
    return SerialRead::Lost;
}

void SerialPort::discardInput() {
    if (handle_ >= 0) ::tcflush(static_cast<int>(handle_), TCIFLUSH);
}

bool lockOpenSerialPort(long long handle) {
    return ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0;
}

std::vector<SerialPortInfo> listSerialPorts(const std::string& sysfsRoot) {
    std::vector<SerialPortInfo> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysfsRoot, ec)) {
        const std::string name = entry.path().filename().string();
        const fs::path device = entry.path() / "device";
        if (!fs::exists(device, ec)) continue; // virtual terminals
        SerialPortInfo port;
        port.name = "/dev/" + name;
        if (const auto usb = usbDeviceOf(device)) {
            port.vendorId =
                static_cast<unsigned>(std::stoul("0" + firstLine(*usb / "idVendor"), nullptr, 16));
            port.productId =
                static_cast<unsigned>(std::stoul("0" + firstLine(*usb / "idProduct"), nullptr, 16));
            std::string maker = firstLine(*usb / "manufacturer"), model = firstLine(*usb / "product");
            port.description = maker.empty() || model.empty() ? maker + model : maker + " " + model;
        } else if (name.rfind("ttyS", 0) == 0 && !hasUart(port.name)) {
            continue;
        }
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.name < b.name; });
    return ports;
}

} // namespace ravik::platform
