#pragma once
// The log box of the main window (Memo1): one-line reports, in UTF-8. The window
// keeps the last kLogBoxLines of them.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Log {
public:
    virtual ~Log() = default;
    virtual void append(const std::string& line) = 0;
    // A line for the log file only (what a pass did when nothing happened): the
    // log box does not show it. Logs without a file take it as any other line.
    virtual void appendDetail(const std::string& line) { append(line); }
    // The last line appended, or empty when there is none.
    virtual std::string lastLine() const = 0;
};

// The lines the window's log box keeps: a pass that reports thousands of cards
// again and again must not grow it without bound.
inline constexpr std::size_t kLogBoxLines = 10000;

// The log the program keeps: lines in memory (details included), with a listener
// that the main window uses to show each new line in Memo1 and write the log file.
class LogLines : public Log {
public:
    void append(const std::string& line) override { add(line, false); }
    void appendDetail(const std::string& line) override { add(line, true); }
    // From now on at least the last `count` lines are kept, and at most twice as many (0: all).
    void keepLast(std::size_t count) { keep_ = count; }
    std::string lastLine() const override { return lines_.empty() ? std::string() : lines_.back(); }
    const std::vector<std::string>& lines() const { return lines_; }
    // Called with every new line; `detail` for the lines of appendDetail.
    using Listener = std::function<void(const std::string& line, bool detail)>;
    void setListener(Listener onAppend) { onAppend_ = std::move(onAppend); }

private:
    void add(const std::string& line, bool detail) {
        lines_.push_back(line);
        // Trimmed in steps, so that appending stays cheap.
        if (keep_ > 0 && lines_.size() >= 2 * keep_)
            lines_.erase(lines_.begin(), lines_.end() - static_cast<std::ptrdiff_t>(keep_));
        if (onAppend_) onAppend_(line, detail);
    }

    std::vector<std::string> lines_;
    std::size_t keep_ = 0;
    Listener onAppend_;
};

} // namespace ravik
