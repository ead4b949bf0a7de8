#pragma once
// The Prompt of the running program: message boxes, input boxes and file dialogs.
#include "core/prompt.h"

#include <QString>

class QWidget;

namespace ravik {

// "Label|*.ext|Other|*.*" → "Label (*.ext);;Other (*.*)". Several patterns of one
// label ("*.htm;*.html") are separated by spaces, as Qt wants them.
QString qtFileFilter(const std::string& filter);

class DialogPrompt : public Prompt {
public:
    void information(const std::string& text) override;
    bool question(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& defaultAnswer) override;
    std::optional<std::string> openFileName(const std::string& filter) override;
    std::optional<std::string> saveFileName(const std::string& filter) override;

private:
    // Dialogs stand over the window the user is working in.
    static QWidget* owner();
};

} // namespace ravik
