// The Win32 side of the platform's serial port and folder watch, run under Wine
// by scripts/wine-platform-check.sh: COM5 leads to the station emulator's
// pseudo-terminal. Prints one line per check; the exit code counts the failures.
#include "core/platform/folder_change_watch.h"
#include "core/platform/serial_port.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>
#include <windows.h>

using namespace ravik::platform;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

int failures = 0;

void check(bool passed, const std::string& what) {
    std::cout << (passed ? "ok   " : "FAIL ") << what << std::endl;
    if (!passed) ++failures;
}

// Wine keeps no COM port to one opener; Windows does.
bool underWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

void checkSerialPort(const std::string& name) {
    SerialPort port;
    const SerialOpenResult opened = port.open(name, 38400);
    check(opened.status == SerialOpen::Opened, name + " opens at 38400 8N1 (" + opened.detail + ")");
    if (opened.status != SerialOpen::Opened) return;

    SerialPort second;
    const bool busy = second.open("\\\\.\\" + name, 38400).status == SerialOpen::Busy;
    if (underWine() && !busy)
        std::cout << "note a second open is not told busy: Wine lets a COM port be opened twice" << std::endl;
    else
        check(busy, "a second open is told busy");
    second.close();
    check(SerialPort().open("COM199", 38400).status == SerialOpen::Missing, "COM199 is missing");

    // Set MS direct; the emulated station 1 answers it.
    const std::string setMs("\x02\xF0\x01\x4D\x6D\x0A\x03", 7);
    const std::string expected("\x02\xF0\x03\x00\x01\x4D\x0D\x11\x03", 9);
    check(port.write(setMs), "the command is written");
    std::string reply;
    const auto start = std::chrono::steady_clock::now();
    while (reply.size() < expected.size() && std::chrono::steady_clock::now() - start < 3s)
        if (port.read(reply, 500ms) == SerialRead::Lost) break;
    check(reply == expected, "the station answers " + hex(reply));

    const auto before = std::chrono::steady_clock::now();
    std::string nothing;
    const SerialRead idle = port.read(nothing, 300ms);
    const auto waited = std::chrono::steady_clock::now() - before;
    check(idle == SerialRead::Timeout && waited >= 250ms && waited < 2s,
          "a read with nothing to come times out after its time-out (" +
              std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()) + " ms)");

    std::string detail;
    check(port.setSpeed(4800, detail) && port.setSpeed(38400, detail), "the speed changes on the open port");

    bool listed = false;
    for (const SerialPortInfo& info : listSerialPorts())
        listed = listed || info.name == name;
    check(listed, name + " is listed");
    port.close();
    check(second.open(name, 38400).status == SerialOpen::Opened, "closed, the port opens again");
}

void checkFolderWatch(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "1.si") << "a";
    FolderChangeWatch watch;
    // Stage folders are named with a separator at the end.
    check(watch.open(folder.string() + "\\"), "the folder is watched");
    std::unordered_set<std::string> names;
    check(watch.drain(names) && names.empty(), "nothing changed yet");
    std::ofstream(folder / "2.si") << "b";
    fs::rename(folder / "1.si", folder / "3.si");
    { std::ofstream(folder / "2.si", std::ios::app) << "more"; }
    names.clear();
    bool trusted = true;
    for (int i = 0; i < 20 && trusted && names.size() < 3; ++i) {
        trusted = watch.drain(names);
        if (names.size() < 3) std::this_thread::sleep_for(50ms); // Wine reports from another process
    }
    check(trusted && names == std::unordered_set<std::string>{"1.si", "2.si", "3.si"},
          "created, renamed and written names are reported (" + std::to_string(names.size()) + ")");
    fs::remove(folder / "3.si");
    names.clear();
    for (int i = 0; i < 20 && names.empty(); ++i) {
        watch.drain(names);
        if (names.empty()) std::this_thread::sleep_for(50ms);
    }
    check(names == std::unordered_set<std::string>{"3.si"}, "a removed name is reported");
    fs::rename(folder, folder.string() + "-old");
    fs::create_directories(folder);
    check(!watch.drain(names), "a folder replaced under its name is no longer vouched for");
    watch.close();
    fs::remove_all(folder);
    fs::remove_all(folder.string() + "-old");
    check(!watch.open(folder.string()), "a missing folder gets no watch");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: platform_check.exe COM5 FOLDER\n";
        return 2;
    }
    checkSerialPort(argv[1]);
    checkFolderWatch(argv[2]);
    return failures;
}
