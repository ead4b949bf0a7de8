#pragma once
// Runs a program (ravik-cli above all) as its own process, as a person would from
// a terminal: sh on POSIX, cmd.exe on Windows. Arguments are given one by one and
// quoted here for the system's shell, so tests never write shell syntax.
#include <cstdio>
#include <string>
#include <vector>

namespace ravik::test {

struct ProgramRun {
    int exitCode = -1;  // -1 when the program did not end by itself (a signal) or did not start
    std::string output; // standard output; with Streams::Together standard error too, interleaved
    std::string errors; // standard error with Streams::Apart
};

enum class Streams { Apart, Together };

// The line that runs `words` (the program first) under the system's shell. A word
// holding a character that cmd.exe cannot take inside quotes (" or %) is refused.
std::string commandLine(const std::vector<std::string>& words);

// Option text split at its spaces ("--stage 1 --classes A" is four words): for
// literal options only, never for paths, which may hold spaces.
std::vector<std::string> words(const std::string& text);
// `first`, then `then`.
std::vector<std::string> followedBy(std::vector<std::string> first, const std::vector<std::string>& then);

// A program started and not yet waited for, so that two can run at once.
class RunningProgram {
public:
    explicit RunningProgram(const std::vector<std::string>& words, Streams streams = Streams::Apart);
    ~RunningProgram();
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    RunningProgram& operator=(RunningProgram&&) = delete;

    // Reads the program's output to its end and waits for it.
    ProgramRun finish();

private:
    std::FILE* pipe_ = nullptr;
    std::string errorsPath_; // standard error goes to this file with Streams::Apart
};

ProgramRun runProgram(const std::vector<std::string>& words, Streams streams = Streams::Apart);

// The ravik-cli of this build, in the system's own form of path.
std::string cliPath();
ProgramRun runCli(const std::vector<std::string>& arguments, Streams streams = Streams::Apart);
RunningProgram startCli(const std::vector<std::string>& arguments, Streams streams = Streams::Apart);

} // namespace ravik::test
