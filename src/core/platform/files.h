#pragma once
// Files and folders through the operating system: what the standard library
// cannot do (durable replacement, reading at offsets while others write, file
// identity) or does differently per system. Paths are UTF-8; the Windows side
// turns them into UTF-16 at each call. Failures come back as the system's reason.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravik::platform {

// Tells a file apart from another put under the same name (device and inode; on
// Windows the volume serial number and the file index).
struct FileIdentity {
    std::uint64_t device = 0, inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileStatus {
    enum class Kind { File, Folder, Other };
    Kind kind = Kind::Other;
    bool isLink = false; // only when the link itself was asked about
    std::int64_t size = 0;
    std::chrono::system_clock::time_point modified;
    // When the file's status last changed (also when its modification time was set back).
    std::chrono::system_clock::time_point changed;
    std::uint64_t links = 1; // names the file has
    FileIdentity identity;
    // POSIX permission bits and owner; Windows has neither (0).
    unsigned mode = 0, owner = 0, group = 0;
};

enum class Links { Follow, DoNotFollow };
// The status of the entry at `path`; nullopt when it is missing or cannot be examined.
std::optional<FileStatus> statusOf(const std::string& path, Links links = Links::Follow);

// An entry of a folder with its type as the listing tells it (Unknown where
// only a status of the entry can say).
struct FolderEntry {
    enum class Type { File, Folder, Link, Other, Unknown };
    std::string name;
    Type type = Type::Unknown;
};
// The entries of a folder ("." and ".." left out); nullopt when it cannot be read.
std::optional<std::vector<FolderEntry>> folderEntries(const std::string& folder);

// Renames `from` over `to` (replacing it) so that the change survives a power
// cut: the folder is synced afterwards. The caller has synced `from`.
bool replaceFile(const std::string& from, const std::string& to, std::string& reason);
bool removeFile(const std::string& path);
// Makes a file's new entry in its folder last a power cut (Windows journals
// folders itself: nothing to do there).
bool syncFolderOf(const std::string& path);

// An open file. Readers let others write, rename and delete the file meanwhile.
class File {
public:
    enum class Mode {
        Read,
        Append,    // created when missing; every write goes to the end
        CreateNew, // for writing; fails when the name exists
    };
    File() = default;
    ~File() { close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // newFileMode: POSIX permission bits of a created file (less the umask).
    bool open(const std::string& path, Mode mode, std::string& reason, unsigned newFileMode = 0666);
    bool isOpen() const { return handle_ != -1; }
    std::optional<FileStatus> status() const;
    // Reads up to `length` bytes at `offset`; the count read (0 at the end), -1 on failure.
    std::int64_t readAt(std::int64_t offset, char* into, std::size_t length, std::string& reason) const;
    bool write(std::string_view bytes, std::string& reason);
    bool sync(std::string& reason);
    bool truncate(std::int64_t size, std::string& reason);
    // Gives a file that is to replace another the replaced one's permission bits
    // and, where this program may, its owner. Nothing to do on Windows.
    void takeOwnerAndModeOf(const FileStatus& replaced);
    bool close();

private:
    long long handle_ = -1; // a file descriptor or a HANDLE
    bool appending_ = false;
};

// Whether a process with this id runs now (this program's own included).
bool processRuns(int pid);

// The full path of this program's executable; empty when the system cannot say.
std::string programPath();

// UTF-8 strings and std::filesystem paths, the same on every system (a plain
// std::filesystem::path(std::string) would read the string in the Windows code page).
inline std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace ravik::platform
