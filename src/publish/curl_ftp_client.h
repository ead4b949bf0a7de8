#pragma once
// The FTP client on libcurl: port 21 unless the account says otherwise, passive
// mode (PASV, no EPSV), FTPS (explicit TLS) when the account asks for it, and
// limits so that no server can hold a command: a time-out for connecting and for
// every server reply, a low-speed limit, and a bound on every single transfer.
#include "publish/curl_tls.h"
#include "publish/ftp_client.h"

#include <atomic>
#include <string>
#include <vector>

namespace ravik {

inline constexpr int kFtpTimeoutMs = 5000;

struct FtpLimits {
    int timeoutMs = kFtpTimeoutMs;      // connecting (TLS handshake and login included), every reply
    long lowSpeedBytesPerSecond = 1024; // a transfer slower than this ...
    long lowSpeedSeconds = 5;           // ... for this long fails
    long transferBoundMs = 60000;       // every request ends after this, plus ...
    long boundBytesPerSecond = 4096;    // ... one second per this many bytes of a file stored
};

class CurlFtpClient : public FtpClient {
public:
    explicit CurlFtpClient(FtpLimits limits = {});
    ~CurlFtpClient() override;
    CurlFtpClient(const CurlFtpClient&) = delete;
    CurlFtpClient& operator=(const CurlFtpClient&) = delete;

    void connect(const FtpAccount& account) override;
    bool isConnected() const override { return handle_ != nullptr; }
    void changeDirectory(const std::string& path) override;
    void makeDirectory(const std::string& path) override;
    void store(const std::string& localPath, const std::string& remoteName) override;
    std::string currentDirectory() override;
    std::vector<std::string> listDetails(const std::string& mask) override;
    void retrieve(const std::string& remoteName, const std::string& localPath) override;
    void disconnect() override;
    void cancel() override { cancelled_ = true; }
    void clearCancel() override { cancelled_ = false; }

private:
    struct Transfer;
    void requireConnection() const;
    // Resets the handle (the connection stays) and applies the options every request shares.
    void prepare(const std::string& url, Transfer& transfer, std::int64_t bytesToSend = 0);
    // Runs the request; on failure throws FtpError naming what was attempted.
    void perform(const std::string& what, Transfer& transfer);
    // Raw commands in the current directory; a "*" before one lets it fail.
    void sendCommands(const std::string& what, const std::vector<std::string>& commands);
    // DELE of a file of the current directory; failures are passed over.
    void removeQuietly(const std::string& remoteName);
    std::string absolute(const std::string& path) const;
    // URL of an absolute path; a directory URL ends with "/".
    std::string urlOf(const std::string& absolutePath, bool directory) const;

    void* handle_ = nullptr; // CURL*
    FtpAccount account_;
    std::string currentDirectory_;
    std::atomic<bool> cancelled_{false};
    FtpLimits limits_;
    TlsCheck tlsCheck_;
};

} // namespace ravik
