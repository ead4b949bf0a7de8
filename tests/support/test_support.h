#pragma once
// Helpers shared by the tests: temporary folders and small file utilities.
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/prompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ravik::test {

// A fresh folder under the system's temporary folder, removed with its contents
// when the object goes away. path() ends with a separator.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::string readFile(const std::string& path);

// A competitor row with its ID, class, name and card, starting in stage 1 (start cell "0").
TableRow competitorRow(const std::string& id, const std::string& className, const std::string& name,
                       const std::string& card = "");
void writeFile(const std::string& path, const std::string& bytes);
// Sets the file's modification time that many seconds back (a log the read-out
// software finished writing a while ago, a temporary file left long ago).
void ageFile(const std::string& path, int seconds);
// A process id that no running program has, for files of writers that ended.
std::string endedProcessId();

// Sets an environment variable of this process (and of the programs it starts);
// nullopt removes it.
void setEnvironment(const std::string& name, const std::optional<std::string>& value);
// Sets the time zone of this process's local time (the TZ variable, a POSIX rule
// such as "CET-1CEST,M3.5.0,M10.5.0/3"); nullopt goes back to the system's zone.
void setTimeZone(const std::optional<std::string>& zone);

// A prompt with scripted answers that records what it was shown.
class ScriptedPrompt : public Prompt {
public:
    std::vector<std::string> shown;                // information texts and questions, in order
    std::deque<bool> answers;                      // for question(); default no
    std::deque<std::optional<std::string>> inputs; // for input(), openFileName(), saveFileName()
    struct InputCall {
        std::string title, prompt, defaultAnswer;
    };
    std::vector<InputCall> inputCalls;

    void information(const std::string& text) override { shown.push_back(text); }
    bool question(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& defaultAnswer) override;
    std::optional<std::string> openFileName(const std::string& filter) override;
    std::optional<std::string> saveFileName(const std::string& filter) override;

private:
    std::optional<std::string> nextInput();
};

} // namespace ravik::test
