// Files and folders on Windows. Every path is turned into UTF-16 here, and every
// file is opened so that others may read, write, rename and delete it meanwhile,
// as POSIX allows: a reader must never block the read-out software's writes or
// our own replacement of a file.
#include "core/platform/files.h"

#include "core/platform/win32_text.h"

#include <algorithm>

namespace ravik::platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(long long handle) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle));
}

std::chrono::system_clock::time_point timeOf(const FILETIME& time) {
    // 100-nanosecond ticks since 1601-01-01; the Unix epoch is 11 644 473 600 s later.
    const std::int64_t ticks =
        (static_cast<std::int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) - 116444736000000000LL;
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::nanoseconds(ticks * 100)));
}

std::optional<FileStatus> statusOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
    FileStatus status;
    const bool folder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    status.kind = folder                                  ? FileStatus::Kind::Folder
                  : ::GetFileType(file) == FILE_TYPE_DISK ? FileStatus::Kind::File
                                                          : FileStatus::Kind::Other;
    status.isLink = info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
    status.size =
        static_cast<std::int64_t>(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    status.modified = timeOf(info.ftLastWriteTime);
    FILE_BASIC_INFO basic{};
    status.changed = status.modified;
    if (::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
        FILETIME changed{};
        changed.dwLowDateTime = static_cast<DWORD>(basic.ChangeTime.QuadPart);
        changed.dwHighDateTime =
            static_cast<DWORD>(static_cast<std::uint64_t>(basic.ChangeTime.QuadPart) >> 32);
        status.changed = timeOf(changed);
    }
    status.links = info.nNumberOfLinks;
    status.identity = {info.dwVolumeSerialNumber,
                       static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
    return status;
}

// Antivirus and indexing programs open new files for a moment; a replacement
// that meets one of them is tried again for up to a second.
bool isMomentaryHold(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

} // namespace

std::optional<FileStatus> statusOf(const std::string& path, Links links) {
    if (path.empty()) return std::nullopt;
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS; // folders open too
    if (links == Links::DoNotFollow) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE file = ::CreateFileW(win32::wide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    auto status = statusOfHandle(file);
    ::CloseHandle(file);
    return status;
}

std::optional<std::vector<FolderEntry>> folderEntries(const std::string& folder) {
    std::string pattern = folder.empty() ? "." : folder;
    if (pattern.back() != '/' && pattern.back() != '\\') pattern += '/';
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(win32::wide(pattern + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<FolderEntry> entries;
    do {
        std::string name = win32::utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        using Type = FolderEntry::Type;
        const DWORD attributes = found.dwFileAttributes;
        const Type type = attributes & FILE_ATTRIBUTE_REPARSE_POINT ? Type::Link
                          : attributes & FILE_ATTRIBUTE_DIRECTORY   ? Type::Folder
                                                                    : Type::File;
        entries.push_back({std::move(name), type});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

bool replaceFile(const std::string& from, const std::string& to, std::string& reason) {
    const std::wstring source = win32::wide(from), target = win32::wide(to);
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        if (!isMomentaryHold(error) || attempt == 20) {
            reason = win32::message(error);
            return false;
        }
        ::Sleep(50);
    }
}

bool removeFile(const std::string& path) {
    return ::DeleteFileW(win32::wide(path).c_str());
}

bool syncFolderOf(const std::string&) {
    return true;
}

bool File::open(const std::string& path, Mode mode, std::string& reason, unsigned) {
    close();
    const DWORD access = mode == Mode::Read     ? GENERIC_READ
                         : mode == Mode::Append ? GENERIC_READ | GENERIC_WRITE
                                                : GENERIC_WRITE;
    const DWORD disposition = mode == Mode::Read     ? OPEN_EXISTING
                              : mode == Mode::Append ? OPEN_ALWAYS
                                                     : CREATE_NEW;
    HANDLE file = ::CreateFileW(win32::wide(path).c_str(), access, kShareAll, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = win32::lastError();
        return false;
    }
    handle_ = static_cast<long long>(reinterpret_cast<intptr_t>(file));
    appending_ = mode == Mode::Append;
    return true;
}

std::optional<FileStatus> File::status() const {
    if (handle_ == -1) return std::nullopt;
    return statusOfHandle(handleOf(handle_));
}

std::int64_t File::readAt(std::int64_t offset, char* into, std::size_t length, std::string& reason) const {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(length, 1u << 30));
    if (::ReadFile(handleOf(handle_), into, wanted, &read, &at)) return read;
    const DWORD error = ::GetLastError();
    if (error == ERROR_HANDLE_EOF) return 0;
    reason = win32::message(error);
    return -1;
}

bool File::write(std::string_view bytes, std::string& reason) {
    HANDLE file = handleOf(handle_);
    if (appending_) {
        LARGE_INTEGER none{};
        if (!::SetFilePointerEx(file, none, nullptr, FILE_END)) {
            reason = win32::lastError();
            return false;
        }
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            reason = win32::lastError();
            return false;
        }
        if (written == 0) {
            reason = "nothing written";
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool File::sync(std::string& reason) {
    if (::FlushFileBuffers(handleOf(handle_))) return true;
    reason = win32::lastError();
    return false;
}

bool File::truncate(std::int64_t size, std::string& reason) {
    LARGE_INTEGER at{};
    at.QuadPart = size;
    if (::SetFilePointerEx(handleOf(handle_), at, nullptr, FILE_BEGIN) && ::SetEndOfFile(handleOf(handle_)))
        return true;
    reason = win32::lastError();
    return false;
}

void File::takeOwnerAndModeOf(const FileStatus&) {}

bool File::close() {
    if (handle_ == -1) return true;
    const bool closed = ::CloseHandle(handleOf(handle_));
    handle_ = -1;
    appending_ = false;
    return closed;
}

bool processRuns(int pid) {
    if (pid == static_cast<int>(::GetCurrentProcessId())) return true;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED; // it runs, under another user
    DWORD exitCode = 0;
    const bool running = ::GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

std::string programPath() {
    std::wstring buffer(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    return win32::utf8(buffer.data(), static_cast<int>(length));
}

} // namespace ravik::platform
