#pragma once
// Building a page line by line (code page 1250, CR LF) and escaping the values
// that come from entry lists, so that a name can never inject markup or script.
#include <string>
#include <string_view>

namespace ravik {

// "&", "<", ">" and '"' as entities; every other byte unchanged.
std::string escapeHtml(std::string_view text);

// A value of a ";"-separated line (the ORIS file, the race description, the
// competitor listing): a line break or ";" would start another row or field and
// a control character could drive a terminal, so each becomes a blank.
std::string separatedField(std::string value);

// A text stored from outside (an import): control characters become blanks.
std::string withoutControlCharacters(std::string value);

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
