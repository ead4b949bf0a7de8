#pragma once
// The person's part in a ravik-cli command, without a person at hand.
#include "core/prompt.h"

#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// Information texts are kept in `shown` and printed to `err` unless the prompt is
// quiet; questions are printed with " (no)" and answered no; input boxes take
// their default answer; file dialogs are cancelled.
class ConsolePrompt : public Prompt {
public:
    ConsolePrompt() = default; // quiet: the command prints what it keeps
    explicit ConsolePrompt(std::ostream& err) : err_(&err) {}

    void information(const std::string& text) override;
    bool question(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& defaultAnswer) override;
    std::optional<std::string> openFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const std::string&) override { return std::nullopt; }

    std::vector<std::string> shown;

private:
    std::ostream* err_ = nullptr;
};

} // namespace ravik::cli
