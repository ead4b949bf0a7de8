#include "app/background_command.h"

#include "app/run_command.h"

#include <QThread>
#include <chrono>
#include <future>
#include <memory>

namespace ravik {

BackgroundCommand::~BackgroundCommand() {
    abandoned_ = true;
    join();
}

void BackgroundCommand::join() {
    if (thread_.joinable()) thread_.join();
}

void BackgroundCommand::start(std::function<void()> work,
                              std::function<void(std::optional<QString>)> finished) {
    join(); // the previous command has ended; its thread is only collected here
    running_ = true;
    thread_ = std::thread([this, work = std::move(work), finished = std::move(finished)] {
        std::optional<QString> error = commandError(work);
        postToUiThread([this, finished, error] {
            running_ = false;
            finished(error);
        });
    });
}

void BackgroundCommand::postToUiThread(std::function<void()> call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void BackgroundCommand::runOnUiThread(const std::function<void()>& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> ended = done->get_future();
    QMetaObject::invokeMethod(
        this,
        [call, done] {
            call();
            done->set_value();
        },
        Qt::QueuedConnection);
    while (ended.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        if (abandoned_) return;
}

void UiThreadPrompt::information(const std::string& text) {
    background_.runOnUiThread([this, text] { prompt_.information(text); });
}

bool UiThreadPrompt::question(const std::string& text) {
    auto answer = std::make_shared<bool>(false);
    background_.runOnUiThread([this, text, answer] { *answer = prompt_.question(text); });
    return *answer;
}

std::optional<std::string> UiThreadPrompt::input(const std::string& title, const std::string& prompt,
                                                 const std::string& defaultAnswer) {
    auto answer = std::make_shared<std::optional<std::string>>();
    background_.runOnUiThread([this, title, prompt, defaultAnswer, answer] {
        *answer = prompt_.input(title, prompt, defaultAnswer);
    });
    return *answer;
}

std::optional<std::string> UiThreadPrompt::openFileName(const std::string& filter) {
    auto answer = std::make_shared<std::optional<std::string>>();
    background_.runOnUiThread([this, filter, answer] { *answer = prompt_.openFileName(filter); });
    return *answer;
}

std::optional<std::string> UiThreadPrompt::saveFileName(const std::string& filter) {
    auto answer = std::make_shared<std::optional<std::string>>();
    background_.runOnUiThread([this, filter, answer] { *answer = prompt_.saveFileName(filter); });
    return *answer;
}

} // namespace ravik
