#pragma once
// What changed in one folder between two looks, as the kernel reports it
// (inotify), so that a look after one new card costs one read instead of a stat
// of every file. Where the kernel cannot vouch for a folder (no watch could be
// set, a network file system whose other clients it never hears of, events
// lost, the folder moved or replaced) the answer is "anything may have changed".
#include <cstdint>
#include <string>
#include <unordered_set>

namespace ravik {

struct FolderChanges {
    // Anything in the folder may have changed since the previous look.
    bool everything = true;
    // The names of the entries created, written, deleted, renamed or touched.
    std::unordered_set<std::string> names;
    // Changes made after this look will be reported by the next one.
    bool watching = false;

    bool mayHaveChanged(const std::string& name) const { return everything || names.contains(name); }
};

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    // A copy starts blind: its first look reports everything.
    FolderWatch(const FolderWatch&) {}
    FolderWatch& operator=(const FolderWatch& other);
    FolderWatch(FolderWatch&& other) noexcept;
    FolderWatch& operator=(FolderWatch&& other) noexcept;

    // The changes in `folder` since the previous look at the same folder. The first
    // look, and a look at another folder, report everything.
    FolderChanges look(const std::string& folder);

private:
    void close();
    // Sets the watch; false where the kernel would not report every change.
    bool arm(const std::string& folder);
    // Reads the waiting events into `changes`; false when they cannot be trusted.
    bool drain(FolderChanges& changes);

    int fd_ = -1;
    std::string folder_;
    std::uint64_t device_ = 0, inode_ = 0;
};

} // namespace ravik
