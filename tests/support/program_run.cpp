#include "program_run.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <utility>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace ravik::test {
namespace fs = std::filesystem;
namespace {

// Paths are UTF-8 here as in the program; Windows' std::filesystem would read a
// plain std::string in the system's code page.
fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
// Double quotes make one word for cmd.exe and for the program's own parsing of
// its command line; backslashes before the closing quote are doubled so that a
// folder path ending in one does not escape it.
std::string shellWord(const std::string& word) {
    if (word.find_first_of("\"%") != std::string::npos)
        throw std::invalid_argument("cmd.exe cannot pass this word: " + word);
    std::string text = "\"" + word;
    for (auto end = word.rbegin(); end != word.rend() && *end == '\\'; ++end)
        text += '\\';
    return text + "\"";
}

// The line goes as UTF-16, as Windows hands it to the program: UTF-8 arguments
// (names with diacritics) arrive whole, not cut to the system's code page.
std::FILE* openPipe(const std::string& line) {
    // cmd /c drops the first and the last quote of a line that starts with one.
    return ::_wpopen(pathOf("\"" + line + "\"").wstring().c_str(), L"r");
}

int closePipe(std::FILE* pipe) {
    return ::_pclose(pipe);
}
#else
// sh takes everything between single quotes as it is; a quote itself ends the
// quoting, is escaped and quoting starts again.
std::string shellWord(const std::string& word) {
    std::string text = "'";
    for (const char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

std::FILE* openPipe(const std::string& line) {
    return ::popen(line.c_str(), "r");
}

int closePipe(std::FILE* pipe) {
    const int status = ::pclose(pipe);
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

std::string uniqueTempPath(const std::string& suffix) {
    static std::mt19937_64 generator{std::random_device{}()};
    return utf8Of(fs::temp_directory_path() / ("ravik-run-" + std::to_string(generator()) + suffix));
}

} // namespace

std::string commandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& word : words)
        line += (line.empty() ? "" : " ") + shellWord(word);
    return line;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> split;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        if (end > begin) split.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return split;
}

std::vector<std::string> followedBy(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

RunningProgram::RunningProgram(const std::vector<std::string>& words, Streams streams) {
    std::string line = commandLine(words);
    if (streams == Streams::Together) {
        line += " 2>&1";
    } else {
        errorsPath_ = uniqueTempPath(".err");
        line += " 2>" + shellWord(errorsPath_);
    }
    std::fflush(nullptr); // the child must not repeat what this program has buffered
    pipe_ = openPipe(line);
    if (!pipe_) throw std::runtime_error("cannot start: " + line);
}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : pipe_(std::exchange(other.pipe_, nullptr)), errorsPath_(std::exchange(other.errorsPath_, {})) {}

RunningProgram::~RunningProgram() {
    if (pipe_) finish();
}

ProgramRun RunningProgram::finish() {
    ProgramRun run;
    if (!pipe_) return run;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe_))
        run.output.append(buffer, count);
    run.exitCode = closePipe(std::exchange(pipe_, nullptr));
    if (!errorsPath_.empty()) {
        {
            std::ifstream errors(pathOf(errorsPath_)); // text mode: line ends as in the output
            run.errors.assign(std::istreambuf_iterator<char>(errors), {});
        }
        std::error_code ignored;
        fs::remove(pathOf(errorsPath_), ignored);
    }
    return run;
}

ProgramRun runProgram(const std::vector<std::string>& words, Streams streams) {
    return RunningProgram(words, streams).finish();
}

std::string cliPath() {
    // On Windows with the drive and backslashes: cmd.exe reads a program path's
    // forward slashes as options.
    return utf8Of(fs::absolute(pathOf(RAVIK_CLI_PATH)).make_preferred());
}

ProgramRun runCli(const std::vector<std::string>& arguments, Streams streams) {
    return startCli(arguments, streams).finish();
}

RunningProgram startCli(const std::vector<std::string>& arguments, Streams streams) {
    std::vector<std::string> words{cliPath()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunningProgram(words, streams);
}

} // namespace ravik::test
