// The folder watch on Linux: inotify, on the local file systems only.
#include "core/platform/folder_change_watch.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace ravik::platform {
namespace {

// Local file systems, whose every change passes through this kernel. Network and
// user-space file systems are changed by others unseen, so they are looked at file
// by file.
bool kernelSeesEveryChange(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53UL:     // ext2, ext3, ext4
    case 0x58465342UL: // xfs
    case 0x9123683EUL: // btrfs
    case 0x01021994UL: // tmpfs
    case 0xF2F52010UL: // f2fs
    case 0x2FC12FC1UL: // zfs
    case 0x794C7630UL: // overlay (changes made through it)
    case 0x4D44UL:     // vfat: a USB stick (taken out and changed elsewhere, it is unmounted)
    case 0x2011BAB0UL: // exfat
    case 0x7366746EUL: // ntfs3
        return true;
    default:
        return false;
    }
}

constexpr std::uint32_t kWatchedEvents = IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE |
                                         IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                         IN_ONLYDIR;
// Events after which the watch no longer describes the folder at its path.
constexpr std::uint32_t kWatchLost = IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

} // namespace

struct FolderChangeWatch::State {
    int fd = -1;
    std::string folder;
    dev_t device = 0;
    ino_t inode = 0;

    ~State() {
        if (fd >= 0) ::close(fd);
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
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    if (!kernelSeesEveryChange(folder)) return false;
    // The folder's identity is taken before the watch is set: should the folder be
    // replaced in between, the next drain finds another folder and gives up.
    auto state = std::make_unique<State>();
    state->device = info.st_dev;
    state->inode = info.st_ino;
    state->fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (state->fd < 0 || ::inotify_add_watch(state->fd, folder.c_str(), kWatchedEvents) < 0) return false;
    state->folder = folder;
    state_ = std::move(state);
    return true;
}

bool FolderChangeWatch::drain(std::unordered_set<std::string>& names) {
    if (!state_) return false;
    struct stat info {};
    if (::stat(state_->folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_dev != state_->device || info.st_ino != state_->inode)
        return false;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(state_->fd, buffer, sizeof buffer);
        if (length < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        if (length == 0) return false;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & kWatchLost) return false;
            if (event->len > 0) names.emplace(event->name, ::strnlen(event->name, event->len));
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

} // namespace ravik::platform
