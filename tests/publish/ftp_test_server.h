#pragma once
// Real FTP servers for the tests on 127.0.0.1 at free ports, started by the
// constructors and stopped by the destructors: Debian's pyftpdlib (plain FTP, with
// quirks of a hostile or slow server), pure-ftpd with explicit TLS and a certificate
// made for the test; and a listener that accepts connections and never says a word.
#include <atomic>
#include <string>
#include <thread>

namespace ravik::test {

struct FtpServerQuirks {
    std::string extraListingName{}; // first in every directory listing (a hostile server's invention)
    int bytesPerSecond = 0;         // data connections trickle at this rate (0: full speed)
    int stallAfterBytes = 0;        // an upload is no longer read after this many bytes (0: never)
};

class FtpTestServer {
public:
    // Serves `root` to one user with write rights.
    FtpTestServer(const std::string& root, const std::string& user, const std::string& password,
                  const FtpServerQuirks& quirks = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    int port() const { return port_; }

private:
    int port_ = 0;
    int pid_ = -1;
};

// pure-ftpd requiring explicit TLS, with a self-signed certificate for 127.0.0.1.
// It serves as the system user "nobody", so it needs root; available() says so.
class FtpsTestServer {
public:
    static bool available();
    FtpsTestServer(const std::string& root, const std::string& user, const std::string& password);
    ~FtpsTestServer();
    FtpsTestServer(const FtpsTestServer&) = delete;
    FtpsTestServer& operator=(const FtpsTestServer&) = delete;

    int port() const { return port_; }
    // As `openssl x509 -noout -fingerprint -sha256` prints it ("AB:CD:...").
    const std::string& fingerprint() const { return fingerprint_; }
    // Gives what the test wrote into the root to the server's user, so it may write there.
    void handOverRoot() const;

private:
    std::string root_;
    std::string work_;
    std::string fingerprint_;
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
