#pragma once
// Errors that a command does not check itself. The window that ran the command
// catches them in one place and shows them in a message box; what was written
// before the error stays.
#include <stdexcept>
#include <string>

namespace ravik {

// A file could not be opened, read, written or renamed. The reason is the
// system's own ("No space left on device"), when it gave one.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    IoError(const std::string& message, std::string reason)
        : std::runtime_error(message + ": " + reason), reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

// A text that had to be a number was not one.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ravik
