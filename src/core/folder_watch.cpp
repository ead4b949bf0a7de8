#include "core/folder_watch.h"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

namespace ravik {
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

FolderWatch::~FolderWatch() {
    close();
}

FolderWatch& FolderWatch::operator=(const FolderWatch& other) {
    if (this != &other) close();
    return *this;
}

FolderWatch::FolderWatch(FolderWatch&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), folder_(std::move(other.folder_)), device_(other.device_),
      inode_(other.inode_) {}

FolderWatch& FolderWatch::operator=(FolderWatch&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        folder_ = std::move(other.folder_);
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

void FolderWatch::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    folder_.clear();
}

FolderChanges FolderWatch::look(const std::string& folder) {
    FolderChanges changes;
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        close();
        return changes;
    }
    const bool sameFolder = fd_ >= 0 && folder_ == folder && device_ == info.st_dev && inode_ == info.st_ino;
    if (sameFolder && drain(changes)) {
        changes.everything = false;
        changes.watching = true;
        return changes;
    }
    changes.names.clear();
    close();
    // The folder's identity is taken before the watch is set: should the folder be
    // replaced in between, the next look finds another folder and reports everything.
    device_ = info.st_dev;
    inode_ = info.st_ino;
    changes.watching = arm(folder);
    return changes;
}

bool FolderWatch::arm(const std::string& folder) {
    if (!kernelSeesEveryChange(folder)) return false;
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return false;
    if (::inotify_add_watch(fd_, folder.c_str(), kWatchedEvents) < 0) {
        close();
        return false;
    }
    folder_ = folder;
    return true;
}

bool FolderWatch::drain(FolderChanges& changes) {
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        if (length == 0) return false;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & kWatchLost) return false;
            if (event->len > 0) changes.names.emplace(event->name, ::strnlen(event->name, event->len));
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

} // namespace ravik
