#include "readout/station/termios_link.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ravik::station {

namespace {

speed_t speedOf(int baudRate) {
    switch (baudRate) {
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    default:
        return B38400;
    }
}

LinkOpen openStatusOf(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return LinkOpen::Missing;
    case EBUSY:
    case EWOULDBLOCK:
        return LinkOpen::Busy;
    case EACCES:
    case EPERM:
        return LinkOpen::NoPermission;
    default:
        return LinkOpen::Failed;
    }
}

} // namespace

TermiosLink::~TermiosLink() {
    close();
}

LinkOpenResult TermiosLink::open(int baudRate) {
    if (fd_ >= 0) {
        if (setSpeed(baudRate)) return {LinkOpen::Opened, {}};
        const int error = errno;
        close();
        return {LinkOpen::Failed, std::strerror(error)};
    }
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {openStatusOf(error), std::strerror(error)};
    }
    // Another reader of the same port holds this lock (root passes TIOCEXCL, not flock).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        return {error == EWOULDBLOCK ? LinkOpen::Busy : openStatusOf(error), std::strerror(error)};
    }
    fd_ = fd;
    if (!setSpeed(baudRate)) {
        const int error = errno;
        close();
        return {error == ENOTTY ? LinkOpen::Failed : openStatusOf(error),
                error == ENOTTY ? "not a serial port" : std::strerror(error)};
    }
    discardInput();
    return {LinkOpen::Opened, {}};
}

bool TermiosLink::setSpeed(int baudRate) {
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, speedOf(baudRate));
    ::cfsetospeed(&settings, speedOf(baudRate));
    return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
}

void TermiosLink::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

bool TermiosLink::write(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd waiting{fd_, POLLOUT, 0};
            if (::poll(&waiting, 1, 1000) > 0 && !(waiting.revents & (POLLHUP | POLLERR | POLLNVAL)))
                continue;
        }
        return false;
    }
    return true;
}

LinkRead TermiosLink::read(std::string& into, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return LinkRead::Lost;
    pollfd waiting{fd_, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, static_cast<int>(std::max<std::int64_t>(0, timeout.count())));
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return LinkRead::Lost;
    if (ready == 0) return LinkRead::Timeout;
    if (!(waiting.revents & POLLIN)) return LinkRead::Lost; // hung up: unplugged
    char buffer[1024];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        return LinkRead::Data;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return LinkRead::Timeout;
    return LinkRead::Lost;
}

void TermiosLink::discardInput() {
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

} // namespace ravik::station
