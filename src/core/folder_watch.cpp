#include "core/folder_watch.h"

#include <utility>

namespace ravik {

FolderWatch::~FolderWatch() = default;

FolderWatch& FolderWatch::operator=(const FolderWatch& other) {
    if (this != &other) close();
    return *this;
}

FolderWatch::FolderWatch(FolderWatch&& other) noexcept
    : watch_(std::move(other.watch_)), folder_(std::exchange(other.folder_, {})) {}

FolderWatch& FolderWatch::operator=(FolderWatch&& other) noexcept {
    if (this != &other) {
        watch_ = std::move(other.watch_);
        folder_ = std::exchange(other.folder_, {});
    }
    return *this;
}

void FolderWatch::close() {
    watch_.close();
    folder_.clear();
}

FolderChanges FolderWatch::look(const std::string& folder) {
    FolderChanges changes;
    if (!folder.empty() && watch_.isOpen() && folder_ == folder && watch_.drain(changes.names)) {
        changes.everything = false;
        changes.watching = true;
        return changes;
    }
    changes.names.clear();
    close();
    if (folder.empty() || !watch_.open(folder)) return changes;
    folder_ = folder;
    changes.watching = true;
    return changes;
}

} // namespace ravik
