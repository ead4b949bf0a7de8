// The text work of the Windows serial port, which runs the same on every system.
#include "core/platform/serial_port.h"

#include <gtest/gtest.h>

using namespace ravik::platform;

TEST(SerialPortNames, ComPortsOpenInTheDeviceNamespaceAndOtherNamesStayAsTyped) {
    const std::pair<std::string, std::string> cases[] = {
        {"COM5", "\\\\.\\COM5"},          {"com12", "\\\\.\\com12"},        {"COM3:", "\\\\.\\COM3"},
        {"CNCA0", "\\\\.\\CNCA0"},        {"\\\\.\\COM5", "\\\\.\\COM5"},   {"\\\\?\\COM7", "\\\\?\\COM7"},
        {"C:\\ports\\x", "C:\\ports\\x"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"}, {"", ""},
    };
    for (const auto& [name, path] : cases)
        EXPECT_EQ(windowsDevicePath(name), path) << name;
}

TEST(SerialPortNames, UsbIdsAreReadFromWindowsHardwareIds) {
    struct Case {
        std::string hardwareId;
        unsigned vendor = 0, product = 0; // 0, 0: no USB IDs
    };
    const Case cases[] = {
        {"USB\\VID_10C4&PID_800A&REV_0100", 0x10C4, 0x800A},
        {"usb\\vid_10c4&pid_800a", 0x10C4, 0x800A},
        {"FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000", 0x0403, 0x6001},
        {"ACPI\\PNP0501", 0, 0},
        {"USB\\VID_10C4", 0, 0},
        {"USB\\VID_10G4&PID_800A", 0, 0},
        {"USB\\VID_10C4&PID_80", 0, 0},
    };
    for (const Case& c : cases) {
        const auto ids = usbIdsOfHardwareId(c.hardwareId);
        if (c.vendor == 0) {
            EXPECT_FALSE(ids) << c.hardwareId;
            continue;
        }
        ASSERT_TRUE(ids) << c.hardwareId;
        EXPECT_EQ(ids->vendorId, c.vendor) << c.hardwareId;
        EXPECT_EQ(ids->productId, c.product) << c.hardwareId;
    }
}
