#pragma once
// The log box of the main window (Memo1): one-line reports, in UTF-8, never removed.
#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Log {
public:
    virtual ~Log() = default;
    virtual void append(const std::string& line) = 0;
    // The last line appended, or empty when there is none.
    virtual std::string lastLine() const = 0;
};

// The log the program keeps: lines in memory, with a listener that the main
// window uses to show each new line in Memo1.
class LogLines : public Log {
public:
    void append(const std::string& line) override {
        lines_.push_back(line);
        if (onAppend_) onAppend_(line);
    }
    std::string lastLine() const override { return lines_.empty() ? std::string() : lines_.back(); }
    const std::vector<std::string>& lines() const { return lines_; }
    void setListener(std::function<void(const std::string&)> onAppend) { onAppend_ = std::move(onAppend); }

private:
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> onAppend_;
};

} // namespace ravik
