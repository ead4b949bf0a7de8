// The serial port on Windows: a COM port through CreateFileW and the comm
// functions; the port list from the DOS device names, with the USB IDs and the
// description from the device manager's data.
#include "core/platform/serial_port.h"
#include "core/platform/win32_text.h"

#include <algorithm>
#include <map>
#include <setupapi.h>

namespace ravik::platform {

namespace {

HANDLE handleOf(long long handle) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}

SerialOpen openStatusOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
        return SerialOpen::Missing;
    // A COM port is opened by one program at a time: the others are denied.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return SerialOpen::Busy;
    default:
        return SerialOpen::Failed;
    }
}

// 8N1, binary, no flow control of any kind; DTR and RTS raised, as a POSIX open leaves them.
bool applySettings(HANDLE port, int baudRate) {
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!::GetCommState(port, &settings)) return false;
    settings.BaudRate = static_cast<DWORD>(baudRate);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fDsrSensitivity = FALSE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    settings.fErrorChar = FALSE;
    settings.fNull = FALSE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    settings.fAbortOnError = FALSE;
    return ::SetCommState(port, &settings);
}

// A read returns as soon as a byte is there, or after `timeout` with none; writes
// give up after a second, as a stuck line would hold them forever.
bool applyTimeouts(HANDLE port, long long timeout) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    if (timeout > 0) {
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(std::min<long long>(timeout, MAXDWORD - 1));
    }
    timeouts.WriteTotalTimeoutConstant = 1000;
    return ::SetCommTimeouts(port, &timeouts);
}

// Whether the driver still answers for the port: an unplugged USB bridge does not.
bool portPresent(HANDLE port) {
    DWORD errors = 0;
    COMSTAT status{};
    return ::ClearCommError(port, &errors, &status);
}

// A registry or device property that is text (REG_SZ, or the first of a REG_MULTI_SZ).
std::string textProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t buffer[512] = {};
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, &type,
                                             reinterpret_cast<BYTE*>(buffer), sizeof buffer - sizeof(wchar_t),
                                             nullptr) ||
        (type != REG_SZ && type != REG_MULTI_SZ))
        return {};
    return win32::utf8(buffer);
}

std::string portNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return {};
    wchar_t buffer[64] = {};
    DWORD type = 0, size = sizeof buffer - sizeof(wchar_t);
    const bool read = ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                         &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    ::RegCloseKey(key);
    return read ? win32::utf8(buffer) : std::string();
}

// What the device manager knows of the ports that are present, by port name.
std::map<std::string, SerialPortInfo> portsOfDeviceManager() {
    // The device interface class of COM ports.
    static const GUID kComPort{0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
    std::map<std::string, SerialPortInfo> ports;
    HDEVINFO devices =
        ::SetupDiGetClassDevsW(&kComPort, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        SerialPortInfo port;
        port.name = portNameOf(devices, device);
        if (port.name.empty()) continue;
        if (const auto ids = usbIdsOfHardwareId(textProperty(devices, device, SPDRP_HARDWAREID))) {
            port.vendorId = ids->vendorId;
            port.productId = ids->productId;
        }
        const std::string maker = textProperty(devices, device, SPDRP_MFG);
        const std::string model = textProperty(devices, device, SPDRP_DEVICEDESC);
        port.description = maker.empty() || model.empty() ? maker + model : maker + " " + model;
        ports[port.name] = port;
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return ports;
}

} // namespace

SerialOpenResult SerialPort::open(const std::string& name, int baudRate) {
    close();
    const std::wstring path = win32::wide(windowsDevicePath(name));
    HANDLE port = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return {openStatusOf(error), win32::message(error)};
    }
    handle_ = static_cast<long long>(reinterpret_cast<std::intptr_t>(port));
    readTimeout_ = -1;
    if (!applySettings(port, baudRate)) {
        const DWORD error = ::GetLastError();
        close();
        // A file or another device that is no COM port.
        return {SerialOpen::Failed, error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED
                                        ? "not a serial port"
                                        : win32::message(error)};
    }
    if (!applyTimeouts(port, 0)) {
        const DWORD error = ::GetLastError();
        close();
        return {SerialOpen::Failed, win32::message(error)};
    }
    readTimeout_ = 0;
    discardInput();
    return {SerialOpen::Opened, {}};
}

bool SerialPort::setSpeed(int baudRate, std::string& detail) {
    if (handle_ == -1) return false;
    if (applySettings(handleOf(handle_), baudRate)) return true;
    detail = win32::message(::GetLastError());
    return false;
}

void SerialPort::close() {
    if (handle_ == -1) return;
    ::CloseHandle(handleOf(handle_));
    handle_ = -1;
}

bool SerialPort::write(std::string_view bytes) {
    if (handle_ == -1) return false;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(handleOf(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

SerialRead SerialPort::read(std::string& into, std::chrono::milliseconds timeout) {
    if (handle_ == -1) return SerialRead::Lost;
    HANDLE port = handleOf(handle_);
    const long long wanted = std::max<long long>(0, timeout.count());
    if (wanted != readTimeout_) {
        if (!applyTimeouts(port, wanted)) return portPresent(port) ? SerialRead::Timeout : SerialRead::Lost;
        readTimeout_ = wanted;
    }
    char buffer[1024];
    DWORD length = 0;
    if (!::ReadFile(port, buffer, sizeof buffer, &length, nullptr)) return SerialRead::Lost;
    if (length > 0) {
        into.append(buffer, length);
        return SerialRead::Data;
    }
    return portPresent(port) ? SerialRead::Timeout : SerialRead::Lost;
}

void SerialPort::discardInput() {
    if (handle_ != -1) ::PurgeComm(handleOf(handle_), PURGE_RXCLEAR);
}

bool lockOpenSerialPort(long long) {
    return true;
}

std::vector<SerialPortInfo> listSerialPorts(const std::string&) {
    std::map<std::string, SerialPortInfo> known = portsOfDeviceManager();
    std::vector<SerialPortInfo> ports;
    wchar_t target[1024];
    for (int number = 1; number <= 256; ++number) {
        const std::string name = "COM" + std::to_string(number);
        if (::QueryDosDeviceW(win32::wide(name).c_str(), target, 1024) == 0) continue;
        SerialPortInfo port;
        port.name = name;
        if (const auto it = known.find(name); it != known.end()) port = it->second;
        ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace ravik::platform
