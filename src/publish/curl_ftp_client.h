#pragma once
// The FTP client on libcurl: port 21 unless the account says otherwise, passive
// mode (PASV, no EPSV), and a time-out for connecting, for every server reply and
// for a transfer that stalls, so a silent server fails within it.
#include "publish/ftp_client.h"

#include <atomic>
#include <string>
#include <vector>

namespace ravik {

inline constexpr int kFtpTimeoutMs = 5000;

class CurlFtpClient : public FtpClient {
public:
    explicit CurlFtpClient(int timeoutMs = kFtpTimeoutMs);
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

private:
    struct Transfer;
    void requireConnection() const;
    // Resets the handle (the connection stays) and applies the options every request shares.
    void prepare(const std::string& url, Transfer& transfer);
    // Runs the request; on failure throws FtpError naming what was attempted.
    void perform(const std::string& what, Transfer& transfer);
    std::string absolute(const std::string& path) const;
    // URL of an absolute path; a directory URL ends with "/".
    std::string urlOf(const std::string& absolutePath, bool directory) const;

    void* handle_ = nullptr; // CURL*
    FtpAccount account_;
    std::string currentDirectory_;
    std::atomic<bool> cancelled_{false};
    int timeoutMs_;
};

} // namespace ravik
