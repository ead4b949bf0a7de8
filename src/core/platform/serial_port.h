#pragma once
// The serial port to a SportIdent master station, as the system gives it:
// termios on POSIX, a COM port on Windows. serial_port_posix.cpp and
// serial_port_win32.cpp implement it; serial_port.cpp holds what both share.
// Names are UTF-8.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ravik::platform {

enum class SerialOpen { Opened, Missing, Busy, NoPermission, Failed };

struct SerialOpenResult {
    SerialOpen status = SerialOpen::Failed;
    std::string detail; // the system's words, for the message
};

enum class SerialRead {
    Data,    // at least one byte was appended
    Timeout, // nothing arrived in time
    Lost,    // the port is gone (station unplugged)
};

// One open port, held exclusively: a second reader of the same port, in this
// program or another, is told it is busy.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort() { close(); }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the port by its name ("/dev/ttyUSB0"; "COM5" or "\\.\COM5") at the
    // speed, 8 data bits, no parity, one stop bit, raw, no flow control.
    SerialOpenResult open(const std::string& name, int baudRate);
    // Changes the speed of the open port; false with the system's words in `detail`.
    bool setSpeed(int baudRate, std::string& detail);
    void close();
    bool isOpen() const { return handle_ != -1; }

    // Writes all bytes; false when the port is gone.
    bool write(std::string_view bytes);
    // Appends what arrives within the time-out (at least one byte, or none when it runs out).
    SerialRead read(std::string& into, std::chrono::milliseconds timeout);
    // Drops what arrived and was not read yet.
    void discardInput();

private:
    long long handle_ = -1;      // a file descriptor or a HANDLE
    long long readTimeout_ = -1; // the time-out the port is set to (Windows)
};

// Takes, on a port opened elsewhere (the window's QSerialPort), the lock that
// SerialPort::open takes, so that the window and ravik-cli never read one station
// together, also as root. `handle` is the port's descriptor or HANDLE. Windows
// opens a COM port only once anyway: there it is always true.
bool lockOpenSerialPort(long long handle);
template <class Handle>
requires(!std::is_same_v<Handle, long long>) bool lockOpenSerialPort(Handle handle) {
    if constexpr (std::is_pointer_v<Handle>)
        return lockOpenSerialPort(static_cast<long long>(reinterpret_cast<std::intptr_t>(handle)));
    else
        return lockOpenSerialPort(static_cast<long long>(handle));
}

struct SerialPortInfo {
    std::string name;        // "/dev/ttyUSB0", "COM5": what SerialPort::open takes
    std::string description; // the device's maker and product, when known
    // The USB device's IDs, when the port is on USB.
    unsigned vendorId = 0, productId = 0;
};

// The serial ports of the computer, in name order: on Linux from the tty class of
// sysfs (`sysfsRoot`; the tests give a tree of their own): USB and ACM ports, and
// built-in ports that have hardware; on Windows the COM ports (`sysfsRoot` unused).
std::vector<SerialPortInfo> listSerialPorts(const std::string& sysfsRoot = "/sys/class/tty");

// The name Windows opens a port by: "COM5" and "com12" become "\\.\COM5" and
// "\\.\com12" (ports above COM9 open only so); a name already in the device
// namespace, or any path, stays as it is.
std::string windowsDevicePath(const std::string& name);

struct UsbIds {
    unsigned vendorId = 0, productId = 0;
};
// The USB IDs in a Windows hardware ID ("USB\VID_10C4&PID_800A&REV_0100",
// "FTDIBUS\VID_0403+PID_6001+..."), in any case; none when it names no USB device.
std::optional<UsbIds> usbIdsOfHardwareId(std::string_view hardwareId);

} // namespace ravik::platform
