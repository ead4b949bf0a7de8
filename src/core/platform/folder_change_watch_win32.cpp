// The folder watch on Windows: ReadDirectoryChangesW on an overlapped handle,
// looked at without waiting and armed again after each batch; local drives only.
#include "core/platform/folder_change_watch.h"
#include "core/platform/win32_text.h"

namespace ravik::platform {
namespace {

// Names created, removed and renamed, and files written or touched: what inotify
// reports on Linux, so a file rewritten in place is seen on both.
constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE |
                                  FILE_NOTIFY_CHANGE_ATTRIBUTES;

// Drives whose every change passes through this computer. A network drive is
// changed by others unseen, so it is looked at file by file.
bool systemSeesEveryChange(const std::wstring& folder) {
    wchar_t root[MAX_PATH + 1] = {};
    if (!::GetVolumePathNameW(folder.c_str(), root, MAX_PATH)) return false;
    switch (::GetDriveTypeW(root)) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE: // a USB stick: taken out and changed elsewhere, its handles are gone
    case DRIVE_RAMDISK:
        return true;
    default: // DRIVE_REMOTE among them
        return false;
    }
}

struct Identity {
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    bool operator==(const Identity&) const = default;
};

bool identityOf(HANDLE file, Identity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

// The folder now at the path, which may be another one than the watched.
bool identityAt(const std::wstring& folder, Identity& identity) {
    HANDLE file = ::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool found = identityOf(file, identity);
    ::CloseHandle(file);
    return found;
}

} // namespace

struct FolderChangeWatch::State {
    std::wstring folder;
    Identity identity;
    HANDLE directory = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;
    OVERLAPPED overlapped{};
    bool pending = false;
    // The system fills it while a read is pending: it stays at this address.
    alignas(8) unsigned char buffer[64 * 1024];

    ~State() {
        if (pending) {
            DWORD ignored = 0;
            ::CancelIoEx(directory, &overlapped);
            ::GetOverlappedResult(directory, &overlapped, &ignored, TRUE);
        }
        if (directory != INVALID_HANDLE_VALUE) ::CloseHandle(directory);
        if (event) ::CloseHandle(event);
    }

    bool arm() {
        overlapped = OVERLAPPED{};
        overlapped.hEvent = event;
        pending = ::ReadDirectoryChangesW(directory, buffer, sizeof buffer, FALSE, kWatchedChanges, nullptr,
                                          &overlapped, nullptr);
        return pending;
    }

    void collect(DWORD length, std::unordered_set<std::string>& names) const {
        for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= length;) {
            const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + at);
            const DWORD characters = change->FileNameLength / sizeof(wchar_t);
            if (at + offsetof(FILE_NOTIFY_INFORMATION, FileName) + change->FileNameLength <= length &&
                characters > 0)
                names.insert(win32::utf8(change->FileName, static_cast<int>(characters)));
            if (change->NextEntryOffset == 0) break;
            at += change->NextEntryOffset;
        }
    }
};

FolderChangeWatch::FolderChangeWatch() = default;
FolderChangeWatch::~FolderChangeWatch() = default;
FolderChangeWatch::FolderChangeWatch(FolderChangeWatch&&) noexcept = default;
FolderChangeWatch& FolderChangeWatch::operator=(FolderChangeWatch&&) noexcept = default;

bool FolderChangeWatch::isOpen() const {
    return state_ != nullptr;
}

void FolderChangeWatch::close() {
    state_.reset();
}

bool FolderChangeWatch::open(const std::string& folder) {
    close();
    auto state = std::make_unique<State>();
    state->folder = win32::wide(folder);
    const DWORD attributes = ::GetFileAttributesW(state->folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!systemSeesEveryChange(state->folder)) return false;
    state->directory = ::CreateFileW(
        state->folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (state->directory == INVALID_HANDLE_VALUE || !identityOf(state->directory, state->identity))
        return false;
    state->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!state->event || !state->arm()) return false;
    state_ = std::move(state);
    return true;
}

bool FolderChangeWatch::drain(std::unordered_set<std::string>& names) {
    if (!state_ || !state_->pending) return false;
    Identity now;
    if (!identityAt(state_->folder, now) || !(now == state_->identity)) return false;
    // A removed folder lingers while handles to it are open, this watch's among them.
    FILE_STANDARD_INFO standard{};
    if (::GetFileInformationByHandleEx(state_->directory, FileStandardInfo, &standard, sizeof standard) &&
        standard.DeletePending)
        return false;
    for (;;) {
        DWORD length = 0;
        if (!::GetOverlappedResult(state_->directory, &state_->overlapped, &length, FALSE)) {
            // Incomplete: nothing more has happened. Anything else (ERROR_NOTIFY_ENUM_DIR
            // among them: too many changes) leaves the folder unvouched for.
            if (::GetLastError() == ERROR_IO_INCOMPLETE) return true;
            state_->pending = false;
            return false;
        }
        state_->pending = false;
        if (length == 0) return false; // more changes than the buffer held
        state_->collect(length, names);
        if (!state_->arm()) return false;
    }
}

} // namespace ravik::platform
