#pragma once
// What a command needs from a person: message boxes, questions, input boxes and
// file dialogs. The windows pass real dialogs; tests pass scripted answers.
// All texts are UTF-8.
#include <optional>
#include <string>

namespace ravik {

class Prompt {
public:
    virtual ~Prompt() = default;
    // An information box with one OK button.
    virtual void information(const std::string& text) = 0;
    // A yes/no question; true for yes.
    virtual bool question(const std::string& text) = 0;
    // An input box with a title, a prompt and a default answer; nullopt when cancelled.
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& defaultAnswer) = 0;
    // File dialogs; the filter is in the form "Label|*.ext|Other|*.*". nullopt when cancelled.
    virtual std::optional<std::string> openFileName(const std::string& filter) = 0;
    virtual std::optional<std::string> saveFileName(const std::string& filter) = 0;
};

} // namespace ravik
