#include "ftp_test_server.h"

#include "test_support.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
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

// Serves like "python3 -m pyftpdlib", with an invented name first in every listing,
// data connections that trickle, and uploads that stall, when asked for.
const char* kQuirkyServerScript = R"PY(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer
from pyftpdlib.filesystems import AbstractedFS
port, user, password, root, ports, extra, rate, stall = sys.argv[1:9]
class QuirkyFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        if extra:
            yield ("-rw-r--r--   1 owner    group           9 Jan 01 00:00 " + extra + "\r\n").encode()
        yield from super().format_list(basedir, listing, ignore_err)
class Trickle(ThrottledDTPHandler):
    read_limit = int(rate)
    write_limit = int(rate)
class Stall(DTPHandler):
    def recv(self, buffer_size):
        chunk = super().recv(buffer_size)
        self.taken = getattr(self, "taken", 0) + len(chunk)
        if self.taken >= int(stall):
            self.del_channel()  # never read again: the upload hangs here
        return chunk
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
handler = FTPHandler
handler.authorizer = authorizer
handler.abstracted_fs = QuirkyFS
if int(rate):
    handler.dtp_handler = Trickle
if int(stall):
    handler.dtp_handler = Stall
low, high = ports.split("-")
handler.passive_ports = range(int(low), int(high) + 1)
FTPServer(("127.0.0.1", int(port)), handler).serve_forever()
)PY";

// Starts the server program and waits until it accepts connections on `port`.
int startServer(std::vector<std::string> args, int port) {
    const int pid = ::fork();
    if (pid < 0) throw std::runtime_error("cannot start the FTP server");
    if (pid == 0) {
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
    while (!accepts(port)) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            throw std::runtime_error("the FTP server ended at start");
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            throw std::runtime_error("the FTP server did not start");
        }
        ::usleep(50 * 1000);
    }
    return pid;
}

void stopServer(int pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        ::usleep(20 * 1000);
    }
}

// Runs a shell command; its standard output.
std::string shellOutput(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    if (::pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
    return output;
}

// Passive ports near the control port, away from other test programs' ranges.
std::string passiveRange(int port, int base, char separator) {
    const int low = base + (port % 20000);
    return std::to_string(low) + separator + std::to_string(low + 20);
}

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
                             const FtpServerQuirks& quirks) {
    port_ = freePort();
    const std::string ports = passiveRange(port_, 20000, '-');
    const std::string portText = std::to_string(port_);
    std::vector<std::string> args;
    if (quirks.extraListingName.empty() && quirks.bytesPerSecond == 0 && quirks.stallAfterBytes == 0)
        args = {
            "/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", portText, "-w", "-u", user, "-P",
            password,           "-d", root,        "-r", ports};
    else
        args = {"/usr/bin/python3",
                "-c",
                kQuirkyServerScript,
                portText,
                user,
                password,
                root,
                ports,
                quirks.extraListingName,
                std::to_string(quirks.bytesPerSecond),
                std::to_string(quirks.stallAfterBytes)};
    pid_ = startServer(std::move(args), port_);
}

FtpTestServer::~FtpTestServer() {
    stopServer(pid_);
}

bool FtpsTestServer::available() {
    return ::geteuid() == 0;
}

FtpsTestServer::FtpsTestServer(const std::string& root, const std::string& user, const std::string& password)
    : root_(root) {
    char folder[] = "/tmp/ravik-ftps-XXXXXX";
    if (!::mkdtemp(folder)) throw std::runtime_error("cannot make the FTPS server's folder");
    work_ = folder;
    const std::string cert = work_ + "/cert.pem";
    shellOutput("openssl req -x509 -newkey rsa:2048 -nodes -keyout '" + cert + "' -out '" + cert +
                "' -days 2 -subj /CN=127.0.0.1 2>/dev/null");
    const std::string printed = shellOutput("openssl x509 -noout -fingerprint -sha256 -in '" + cert + "'");
    fingerprint_ = printed.substr(printed.find('=') + 1);
    while (!fingerprint_.empty() && (fingerprint_.back() == '\n' || fingerprint_.back() == '\r'))
        fingerprint_.pop_back();
    // A virtual user without a system account, served as "nobody". The password is
    // hashed with SHA-512 crypt: pure-pw's own hash costs seconds at every login.
    const passwd* nobody = ::getpwnam("nobody");
    const group* nogroup = ::getgrnam("nogroup");
    if (!nobody || !nogroup) throw std::runtime_error("no user nobody or group nogroup");
    const std::string hash = shellOutput("openssl passwd -6 '" + password + "'");
    writeFile(work_ + "/passwd", user + ":" + hash.substr(0, hash.find('\n')) + ":" +
                                     std::to_string(nobody->pw_uid) + ":" + std::to_string(nogroup->gr_gid) +
                                     "::" + root + "/./::::::::::::\n");
    shellOutput("pure-pw mkdb '" + work_ + "/users.pdb' -f '" + work_ + "/passwd'");
    handOverRoot();
    port_ = freePort();
    pid_ = startServer({"/usr/sbin/pure-ftpd", "-S", "127.0.0.1," + std::to_string(port_), "-l",
                        "puredb:" + work_ + "/users.pdb", "-p", passiveRange(port_, 40000, ':'), "-Y", "2",
                        "-2", cert, "-E", "-A", "-H"},
                       port_);
}

FtpsTestServer::~FtpsTestServer() {
    stopServer(pid_);
    std::error_code error;
    std::filesystem::remove_all(work_, error);
}

void FtpsTestServer::handOverRoot() const {
    shellOutput("chown -R nobody:nogroup '" + root_ + "'");
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
