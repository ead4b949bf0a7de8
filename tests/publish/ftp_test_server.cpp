#include "ftp_test_server.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ravik::test {

namespace {

using Clock = std::chrono::steady_clock;

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool accepts(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

// Serves like "python3 -m pyftpdlib", with an invented name added to every listing.
const char* kHostileServerScript = R"PY(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
from pyftpdlib.filesystems import AbstractedFS
port, user, password, root, ports, extra = sys.argv[1:7]
class HostileFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        yield from super().format_list(basedir, listing, ignore_err)
        yield ("-rw-r--r--   1 owner    group           9 Jan 01 00:00 " + extra + "\r\n").encode()
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
handler = FTPHandler
handler.authorizer = authorizer
handler.abstracted_fs = HostileFS
low, high = ports.split("-")
handler.passive_ports = range(int(low), int(high) + 1)
FTPServer(("127.0.0.1", int(port)), handler).serve_forever()
)PY";

} // namespace

int freePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

FtpTestServer::FtpTestServer(const std::string& root, const std::string& user, const std::string& password,
                             const std::string& extraListingName) {
    port_ = freePort();
    // Passive ports near the control port, away from other test programs' ranges.
    const int low = 20000 + (port_ % 20000);
    const std::string ports = std::to_string(low) + "-" + std::to_string(low + 20);
    const std::string portText = std::to_string(port_);
    std::vector<std::string> args;
    if (extraListingName.empty())
        args = {
            "/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", portText, "-w", "-u", user, "-P",
            password,           "-d", root,        "-r", ports};
    else
        args = {"/usr/bin/python3", "-c", kHostileServerScript, portText, user, password, root, ports,
                extraListingName};
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("cannot start the FTP server");
    if (pid_ == 0) {
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (!accepts(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the FTP server ended at start");
        }
        if (Clock::now() > deadline) throw std::runtime_error("the FTP server did not start");
        ::usleep(50 * 1000);
    }
}

FtpTestServer::~FtpTestServer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        ::usleep(20 * 1000);
    }
}

SilentServer::SilentServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 8);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
        std::vector<int> held;
        while (!stop_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, 100) > 0) {
                const int client = ::accept(listener_, nullptr, nullptr);
                if (client >= 0) held.push_back(client); // accepted, never answered
            }
        }
        for (int client : held)
            ::close(client);
    });
}

SilentServer::~SilentServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

} // namespace ravik::test
