#pragma once
// Runs a window's slow command (FTP) on a thread of its own, one at a time, so the
// windows, their buttons and the timers go on while a server is slow. What the
// command needs from the user-interface thread (message boxes, the log box, labels)
// is handed over to that thread.
#include "core/prompt.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

namespace ravik {

class BackgroundCommand : public QObject {
public:
    BackgroundCommand() = default;
    // Waits for the running command; the owner ends its FTP operation first.
    ~BackgroundCommand() override;

    // True from start() until `finished` has run.
    bool isRunning() const { return running_; }
    // Starts `work` on the command's thread; `finished` runs on the user-interface
    // thread afterwards, with the message of the error that ended the work, if any.
    void start(std::function<void()> work, std::function<void(std::optional<QString>)> finished);

    // From any thread: runs `call` on the user-interface thread and waits for it
    // (returns without it when this object is going away).
    void runOnUiThread(const std::function<void()>& call);
    // From any thread: hands `call` to the user-interface thread; runs it at once there.
    void postToUiThread(std::function<void()> call);

private:
    void join();

    std::thread thread_;
    bool running_ = false;
    std::atomic<bool> abandoned_{false};
};

// A prompt whose boxes open on the user-interface thread while the command waits.
class UiThreadPrompt : public Prompt {
public:
    UiThreadPrompt(BackgroundCommand& background, Prompt& prompt)
        : background_(background), prompt_(prompt) {}
    void information(const std::string& text) override;
    bool question(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& defaultAnswer) override;
    std::optional<std::string> openFileName(const std::string& filter) override;
    std::optional<std::string> saveFileName(const std::string& filter) override;

private:
    BackgroundCommand& background_;
    Prompt& prompt_;
};

} // namespace ravik
