#pragma once
// A real FTP server for the tests (Debian's pyftpdlib) on 127.0.0.1 at a free port,
// started by the constructor and stopped by the destructor; and a listener that
// accepts connections and never says a word.
#include <atomic>
#include <string>
#include <thread>

namespace ravik::test {

class FtpTestServer {
public:
    // Serves `root` to one user with write rights. A non-empty extraListingLine name is
    // added to every directory listing (a hostile server's invention).
    FtpTestServer(const std::string& root, const std::string& user, const std::string& password,
                  const std::string& extraListingName = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    int port() const { return port_; }

private:
    int port_ = 0;
    int pid_ = -1;
};

class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int port() const { return port_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on at the moment.
int freePort();

} // namespace ravik::test
