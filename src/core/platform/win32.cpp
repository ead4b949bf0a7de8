// The platform layer on Windows.
#include "core/platform/platform.h"

#include <cstdint>
#include <windows.h>

namespace {

// UTF-8 path -> UTF-16 for the Win32 calls.
std::wstring widePath(const std::string& path) {
    if (path.empty()) return {};
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

std::string systemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text ? std::string(text, length) : "error " + std::to_string(error);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

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

LockedFile::Outcome LockedFile::open(const std::string& path, std::string& reason) {
    close();
    const std::wstring wide = widePath(path);
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
        reason = systemMessage(::GetLastError());
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
    reason = systemMessage(error);
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
