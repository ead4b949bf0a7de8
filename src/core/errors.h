#pragma once
// Errors that a command does not check itself. The window that ran the command
// catches them in one place and shows them in a message box; what was written
// before the error stays.
#include <stdexcept>
#include <string>

namespace ravik {

// A file could not be opened, read, written or renamed.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that had to be a number was not one.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ravik
