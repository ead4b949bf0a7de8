// The platform layer on Windows.
#include "core/platform/platform.h"

#include "core/platform/win32_text.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace {

// The lock covers one byte far beyond the content: Windows locks keep others from
// reading the locked bytes, and the holder's PID at the start must stay readable.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

HANDLE handleOf(long long handle) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle));
}

} // namespace

namespace ravik::platform {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_s(&local, &moment);
    return local;
}

bool utcTime(std::time_t moment, std::tm& utc) {
    return ::gmtime_s(&utc, &moment) == 0;
}

int currentProcessId() {
    return static_cast<int>(::GetCurrentProcessId());
}

bool runsAsRoot() {
    return false; // only Linux's browser engine cares (its sandbox refuses root)
}

std::vector<std::string> programArguments(int, char**) {
    ::SetConsoleOutputCP(CP_UTF8);
    // Output bytes as they are, as on every other system: "\n" stays "\n".
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(win32::utf8(words[i]));
    if (words) ::LocalFree(words);
    return arguments;
}

namespace {
std::atomic<bool>* interruptFlag = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    if (!interruptFlag || (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT))
        return FALSE;
    *interruptFlag = true;
    return TRUE;
}
} // namespace

InterruptCatcher::InterruptCatcher(std::atomic<bool>& requested) {
    interruptFlag = &requested;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptCatcher::~InterruptCatcher() {
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    interruptFlag = nullptr;
}

LockedFile::Outcome LockedFile::open(const std::string& path, std::string& reason) {
    close();
    const std::wstring wide = win32::wide(path);
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    writable_ = true;
    HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED) {
        writable_ = false;
        file = ::CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        reason = win32::message(::GetLastError());
        return Outcome::Failed;
    }
    handle_ = static_cast<long long>(reinterpret_cast<intptr_t>(file));
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        locked_ = true;
        return Outcome::Locked;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return Outcome::HeldElsewhere;
    reason = win32::message(error);
    close();
    return Outcome::Failed;
}

std::string LockedFile::readStart(std::size_t count) const {
    if (handle_ < 0) return {};
    std::string text(count, '\0');
    OVERLAPPED at{};
    DWORD length = 0;
    if (!::ReadFile(handleOf(handle_), text.data(), static_cast<DWORD>(count), &length, &at)) length = 0;
    text.resize(length);
    return text;
}

void LockedFile::replaceContent(const std::string& text) {
    if (handle_ < 0 || !writable_) return;
    HANDLE file = handleOf(handle_);
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !::SetEndOfFile(file)) return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void LockedFile::close() {
    if (handle_ >= 0) ::CloseHandle(handleOf(handle_));
    handle_ = -1;
    locked_ = false;
}

} // namespace ravik::platform
