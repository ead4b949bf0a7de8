#pragma once
// What the publishing commands need from an FTP client. One connection is opened
// and closed inside each command; every failure the server or the network gives is
// an FtpError, so the caller decides which ones to ignore.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ravik {

// What went wrong, where the program words it for the user itself.
enum class FtpFailure {
    Other,
    Cancelled,             // "Reset FTP" ended the operation
    TlsNotOffered,         // FTPS chosen, the server refused AUTH TLS
    CertificateNotTrusted, // FTPS: the certificate did not verify against the system's store
    FingerprintMismatch,   // FTPS: the certificate is not the one whose fingerprint was entered
    TlsHandshakeFailed,    // FTPS: the TLS handshake failed otherwise
    InvalidFingerprint,    // FTPS: the entered fingerprint is not 64 hexadecimal digits
};

class FtpError : public std::runtime_error {
public:
    explicit FtpError(const std::string& message, FtpFailure failure = FtpFailure::Other,
                      std::string serverReply = {}, std::string certificateFingerprint = {})
        : std::runtime_error(message), failure_(failure), serverReply_(std::move(serverReply)),
          certificateFingerprint_(std::move(certificateFingerprint)) {}
    FtpFailure failure() const { return failure_; }
    // The server's last error reply ("550 ..."), empty when it gave none.
    const std::string& serverReply() const { return serverReply_; }
    // FTPS: the SHA-256 fingerprint of the certificate the server showed ("AB:CD:..."), if any.
    const std::string& certificateFingerprint() const { return certificateFingerprint_; }

private:
    FtpFailure failure_;
    std::string serverReply_;
    std::string certificateFingerprint_;
};

struct FtpAccount {
    std::string host{};
    int port = 21;
    std::string user{};
    std::string password{};
    // FTPS (explicit TLS): control and data connections encrypted, the certificate
    // verified against the system's store, or, when a fingerprint is given, accepted
    // only when its SHA-256 fingerprint is that one.
    bool tls = false;
    std::string tlsFingerprint{};
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
    // STOR (passive) of a local file into the current directory under remoteName; a
    // file of that name is replaced only once the whole file has arrived.
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
    // Ends the running operation as soon as possible (callable from another thread):
    // it and every later one fail with FtpFailure::Cancelled, until clearCancel().
    virtual void cancel() = 0;
    virtual void clearCancel() = 0;
};

// "*" any run of characters, "?" one character; letter case ignored (ASCII).
bool matchesMask(const std::string& name, const std::string& mask);

// The file name of a detailed listing line: the text after its last blank.
std::string nameOfListingLine(const std::string& line);

// Longest remote file name sent in a command, as file systems allow one; a longer
// command line may be answered with several replies, which puts every later reply
// of the connection out of step.
inline constexpr std::size_t kMaxRemoteNameBytes = 255;
// Longest remote directory path sent in a command.
inline constexpr std::size_t kMaxRemotePathBytes = 1024;

// The start of an over-long name for a message ("abc..."); a short name unchanged.
std::string shortenedName(const std::string& name);

// A name from a server's listing that may be used as a local file name in a folder:
// no path separator, no "..", no drive letter or other ":", no control characters.
bool isPlainRemoteFileName(const std::string& name);

// A SHA-256 fingerprint as users copy it: 64 hexadecimal digits, with or without
// colons or blanks, in any case, also with openssl's "sha256 Fingerprint=" before it.
// The 64 digits in capitals; nullopt when the text is not one.
std::optional<std::string> parseTlsFingerprint(const std::string& text);
// "AB:CD:..." of 32 bytes.
std::string formatTlsFingerprint(const unsigned char* digest, std::size_t size);

} // namespace ravik
