#pragma once
// Text at the Win32 calls: UTF-8 paths become UTF-16, and the system's error
// messages come back as UTF-8. For the platform layer's Windows side only.
#include <string>
#include <windows.h>

namespace ravik::platform::win32 {

inline std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

inline std::string utf8(const wchar_t* text, int length = -1) {
    if (length == 0) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
    if (length < 0 && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return bytes;
}

// The system's message for an error code, without the trailing full stop.
inline std::string message(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result =
        length > 0 && text ? utf8(text, static_cast<int>(length)) : "error " + std::to_string(error);
    if (text) ::LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == '.' || result.back() == ' '))
        result.pop_back();
    return result;
}

inline std::string lastError() {
    return message(::GetLastError());
}

} // namespace ravik::platform::win32
