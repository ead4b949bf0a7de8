#pragma once
// Building a page line by line (code page 1250, CR LF) and escaping the values
// that come from entry lists, so that a name can never inject markup or script.
#include <string>
#include <string_view>

namespace ravik {

// "&", "<", ">" and '"' as entities; every other byte unchanged.
std::string escapeHtml(std::string_view text);

class PageLines {
public:
    void line(std::string_view text) {
        bytes_ += text;
        bytes_ += "\r\n";
    }
    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

} // namespace ravik
