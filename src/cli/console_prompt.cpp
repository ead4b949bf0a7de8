#include "cli/console_prompt.h"

namespace ravik::cli {

void ConsolePrompt::information(const std::string& text) {
    shown.push_back(text);
    if (err_) *err_ << text << "\n";
}

bool ConsolePrompt::question(const std::string& text) {
    if (err_) *err_ << text << " (no)\n";
    return false;
}

std::optional<std::string> ConsolePrompt::input(const std::string&, const std::string&,
                                                const std::string& defaultAnswer) {
    return defaultAnswer;
}

} // namespace ravik::cli
