#pragma once
// The system's report of what changed in one folder (inotify on Linux,
// ReadDirectoryChangesW on Windows). folder_change_watch_posix.cpp and
// folder_change_watch_win32.cpp implement it. Paths are UTF-8.
#include <memory>
#include <string>
#include <unordered_set>

namespace ravik::platform {

class FolderChangeWatch {
public:
    FolderChangeWatch();
    ~FolderChangeWatch();
    FolderChangeWatch(FolderChangeWatch&&) noexcept;
    FolderChangeWatch& operator=(FolderChangeWatch&&) noexcept;

    // Starts watching `folder` for entries created, written, removed, renamed or
    // touched. False, and no watch, where the system would not report every change:
    // no such folder, a network or user-space file system (changed by others
    // unseen), or the watch could not be set.
    bool open(const std::string& folder);
    bool isOpen() const;
    void close();
    // Adds the names of the entries changed since open() or the previous drain,
    // without waiting. False when the changes cannot be trusted any more: some
    // were lost (too many), or the folder at the path was removed, moved or
    // replaced by another.
    bool drain(std::unordered_set<std::string>& names);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace ravik::platform
