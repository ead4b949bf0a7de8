#pragma once
// A serial port through the POSIX terminal interface (ravik-cli, the tests).
// The port is locked while it is open, so a second reader is told it is busy.
#include "readout/station/byte_link.h"

#include <string>

namespace ravik::station {

class TermiosLink : public ByteLink {
public:
    explicit TermiosLink(std::string path) : path_(std::move(path)) {}
    ~TermiosLink() override;
    TermiosLink(const TermiosLink&) = delete;
    TermiosLink& operator=(const TermiosLink&) = delete;

    LinkOpenResult open(int baudRate) override;
    void close() override;
    bool write(std::string_view bytes) override;
    LinkRead read(std::string& into, std::chrono::milliseconds timeout) override;
    void discardInput() override;

    const std::string& path() const { return path_; }
    bool isOpen() const { return fd_ >= 0; }

private:
    bool setSpeed(int baudRate);

    std::string path_;
    int fd_ = -1;
};

} // namespace ravik::station
