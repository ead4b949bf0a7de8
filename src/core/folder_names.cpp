#include "core/folder_names.h"

#include "core/platform/files.h"

namespace ravik {
namespace {

std::string entryPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

using platform::FileStatus;
using EntryType = platform::FolderEntry::Type;

// Whether the entry is a regular file, following a link as opening it would.
bool leadsToRegularFile(const std::string& folder, const std::string& name, EntryType type) {
    if (type == EntryType::File) return true;
    if (type != EntryType::Link && type != EntryType::Unknown) return false;
    const auto status = platform::statusOf(entryPath(folder, name));
    return status && status->kind == FileStatus::Kind::File;
}

std::chrono::seconds wholeSeconds(std::chrono::system_clock::time_point time) {
    return std::chrono::floor<std::chrono::seconds>(time.time_since_epoch());
}

} // namespace

const FolderNames::Names* FolderNames::look(const std::string& folder) {
    const FolderChanges changes = watch_.look(folder);
    if (valid_ && folder_ == folder && !changes.everything) {
        for (const std::string& name : changes.names) {
            links_.erase(name);
            const auto status = platform::statusOf(entryPath(folder, name), platform::Links::DoNotFollow);
            if (!status) {
                removals_ += names_.erase(name);
                continue;
            }
            if (status->isLink) links_.insert(name);
            names_[name] = status->kind == FileStatus::Kind::File;
        }
        // What a link leads to changes without the folder hearing of it.
        for (const std::string& link : links_)
            names_[link] = leadsToRegularFile(folder, link, EntryType::Link);
        return &names_;
    }
    const auto status = platform::statusOf(folder);
    if (!status || status->kind != FileStatus::Kind::Folder) {
        if (valid_) ++removals_; // the folder itself has gone
        valid_ = false;
        return nullptr;
    }
    // Without a watch, a folder whose modification time stands still and lies more
    // than a tick of the file system's clock back has not changed.
    const bool unchanged = valid_ && folder_ == folder && modified_ == status->modified;
    if (!changes.watching && unchanged && settled_) return &names_;
    return list(folder, status->modified) ? &names_ : nullptr;
}

bool FolderNames::list(const std::string& folder, std::chrono::system_clock::time_point modified) {
    const bool wasValid = valid_;
    valid_ = false;
    const auto entries = platform::folderEntries(folder);
    if (!entries) {
        if (wasValid) ++removals_;
        return false;
    }
    Names before;
    before.swap(names_);
    links_.clear();
    // Readers of the listing expect the folder's own "." and ".." among the names.
    names_.emplace(".", false);
    names_.emplace("..", false);
    for (const auto& [name, type] : *entries) {
        if (type == EntryType::Link) links_.insert(name);
        names_.emplace(name, leadsToRegularFile(folder, name, type));
    }
    // Listed anew: whatever was there before and is not now has gone.
    if (folder != folder_) {
        if (wasValid) ++removals_;
    } else {
        for (const auto& [name, regular] : before)
            if (!names_.contains(name)) ++removals_;
    }
    valid_ = true;
    settled_ =
        wholeSeconds(std::chrono::system_clock::now()) - wholeSeconds(modified) > std::chrono::seconds(2);
    folder_ = folder;
    modified_ = modified;
    return true;
}

} // namespace ravik
