#pragma once
// What changed in one folder between two looks, as the system reports it
// (platform::FolderChangeWatch), so that a look after one new card costs one read
// instead of a stat of every file. Where the system cannot vouch for a folder (no
// watch could be set, a network file system whose other clients it never hears
// of, events lost, the folder moved or replaced) the answer is "anything may have
// changed".
#include "core/platform/folder_change_watch.h"

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

    platform::FolderChangeWatch watch_;
    std::string folder_; // the folder watched
};

} // namespace ravik
