#pragma once
// The entries of one folder, listed once and then kept current from the folder's
// changes. Where no watch vouches for the folder, it is listed again whenever its
// modification time moved, and at every look while that time is recent.
#include "core/folder_watch.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace ravik {

class FolderNames {
public:
    // Each entry name with whether it is (or leads to) a regular file.
    using Names = std::map<std::string, bool>;

    // The entries now in `folder` ("." and ".." among them), or nullptr when the
    // folder cannot be read.
    const Names* look(const std::string& folder);
    // An entry this program has just written, before the next look reports it.
    void addFile(const std::string& name) { names_[name] = true; }
    // How many entries have gone from the folder since the first look: a reader
    // that trusts files it saw once looks again when this moves.
    std::uint64_t removals() const { return removals_; }

private:
    bool list(const std::string& folder, std::chrono::system_clock::time_point modified);

    FolderWatch watch_;
    bool valid_ = false;
    bool settled_ = false; // the folder's modification time was old enough to trust
    std::string folder_;
    std::chrono::system_clock::time_point modified_;
    Names names_;
    std::set<std::string> links_; // symbolic links among the entries
    std::uint64_t removals_ = 0;
};

} // namespace ravik
