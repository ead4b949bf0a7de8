#include "core/folder_names.h"

#include <dirent.h>
#include <sys/stat.h>

namespace ravik {
namespace {

std::string entryPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

// Whether the entry is a regular file, following a link as opening it would.
bool leadsToRegularFile(const std::string& folder, const std::string& name, unsigned char type) {
    if (type == DT_REG) return true;
    if (type != DT_LNK && type != DT_UNKNOWN) return false;
    struct stat info {};
    return ::stat(entryPath(folder, name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

const FolderNames::Names* FolderNames::look(const std::string& folder) {
    const FolderChanges changes = watch_.look(folder);
    if (valid_ && folder_ == folder && !changes.everything) {
        for (const std::string& name : changes.names) {
            struct stat info {};
            links_.erase(name);
            if (::lstat(entryPath(folder, name).c_str(), &info) != 0) {
                removals_ += names_.erase(name);
                continue;
            }
            if (S_ISLNK(info.st_mode)) links_.insert(name);
            names_[name] = S_ISREG(info.st_mode);
        }
        // What a link leads to changes without the folder hearing of it.
        for (const std::string& link : links_)
            names_[link] = leadsToRegularFile(folder, link, DT_LNK);
        return &names_;
    }
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        if (valid_) ++removals_; // the folder itself has gone
        valid_ = false;
        return nullptr;
    }
    // Without a watch, a folder whose modification time stands still and lies more
    // than a tick of the file system's clock back has not changed.
    const bool unchanged = valid_ && folder_ == folder && modified_.tv_sec == info.st_mtim.tv_sec &&
                           modified_.tv_nsec == info.st_mtim.tv_nsec;
    if (!changes.watching && unchanged && settled_) return &names_;
    return list(folder, info) ? &names_ : nullptr;
}

bool FolderNames::list(const std::string& folder, const struct stat& info) {
    const bool wasValid = valid_;
    valid_ = false;
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) {
        if (wasValid) ++removals_;
        return false;
    }
    Names before;
    before.swap(names_);
    links_.clear();
    while (const dirent* entry = ::readdir(directory)) {
        std::string name = entry->d_name;
        if (entry->d_type == DT_LNK) links_.insert(name);
        const bool regular = leadsToRegularFile(folder, name, entry->d_type);
        names_.emplace(std::move(name), regular);
    }
    ::closedir(directory);
    // Listed anew: whatever was there before and is not now has gone.
    if (folder != folder_) {
        if (wasValid) ++removals_;
    } else {
        for (const auto& [name, regular] : before)
            if (!names_.contains(name)) ++removals_;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    valid_ = true;
    settled_ = now.tv_sec - info.st_mtim.tv_sec > 2;
    folder_ = folder;
    modified_ = info.st_mtim;
    return true;
}

} // namespace ravik
