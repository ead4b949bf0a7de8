#pragma once
// What the publishing commands need from an FTP client. One connection is opened
// and closed inside each command; every failure the server or the network gives is
// an FtpError, so the caller decides which ones to ignore.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravik {

class FtpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FtpAccount {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
};

// Retrieved files larger than this are refused (timed-control files are a few bytes).
inline constexpr std::int64_t kMaxRetrievedFileBytes = 16 * 1024 * 1024;

class FtpClient {
public:
    virtual ~FtpClient() = default;

    // Connects and logs in; the current directory becomes the account's start directory.
    virtual void connect(const FtpAccount& account) = 0;
    virtual bool isConnected() const = 0;
    // CWD: an absolute path ("/www/...") or one relative to the current directory.
    virtual void changeDirectory(const std::string& path) = 0;
    // MKD of a directory relative to the current one (or absolute).
    virtual void makeDirectory(const std::string& path) = 0;
    // STOR (passive) of a local file into the current directory under remoteName.
    virtual void store(const std::string& localPath, const std::string& remoteName) = 0;
    // PWD: the server's current directory.
    virtual std::string currentDirectory() = 0;
    // LIST with details of the current directory, the lines whose file name (the
    // last blank-separated item) matches the mask ("*.tc2"; letter case ignored).
    virtual std::vector<std::string> listDetails(const std::string& mask) = 0;
    // RETR of a file of the current directory into localPath, replacing a file of
    // that name only once the whole file has arrived.
    virtual void retrieve(const std::string& remoteName, const std::string& localPath) = 0;
    // QUIT; harmless when not connected.
    virtual void disconnect() = 0;
    // Ends the running operation as soon as possible (callable from another thread);
    // the operation fails with an FtpError and the connection is closed.
    virtual void cancel() = 0;
};

// "*" any run of characters, "?" one character; letter case ignored (ASCII).
bool matchesMask(const std::string& name, const std::string& mask);

// The file name of a detailed listing line: the text after its last blank.
std::string nameOfListingLine(const std::string& line);

// A name from a server's listing that may be used as a local file name in a folder:
// no path separator, no "..", no drive letter or other ":", no control characters.
bool isPlainRemoteFileName(const std::string& name);

} // namespace ravik
