#include "test_support.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ravik::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    // A random name, taken only when the folder is new (no mkdtemp on Windows).
    static std::mt19937_64 generator{std::random_device{}()};
    fs::path folder;
    do
        folder = fs::temp_directory_path() / ("ravik-test-" + std::to_string(generator()));
    while (!fs::create_directory(folder));
    // '/' throughout, also on Windows, whose file functions take it as a separator too.
    path_ = folder.generic_string() + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

void ageFile(const std::string& path, int seconds) {
#ifdef _WIN32
    // std::filesystem cannot set a folder's time on Windows: the folder is opened
    // with backup semantics for that.
    const HANDLE handle =
        ::CreateFileW(fs::path(std::u8string(path.begin(), path.end())).c_str(), FILE_WRITE_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    ticks.QuadPart -= static_cast<ULONGLONG>(seconds) * 10'000'000; // 100 ns ticks
    const FILETIME aged{ticks.LowPart, ticks.HighPart};
    const bool set = ::SetFileTime(handle, nullptr, nullptr, &aged);
    ::CloseHandle(handle);
    if (!set) throw std::runtime_error("cannot set the time of " + path);
#else
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
#endif
}

std::string endedProcessId() {
    // Above Linux's largest id (2^22); a multiple of four as Windows' ids are,
    // and far beyond those Windows hands out.
    return "999999996";
}

void setEnvironment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value ? value->c_str() : ""); // an empty value removes it
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

void setTimeZone(const std::optional<std::string>& zone) {
    setEnvironment("TZ", zone);
#ifdef _WIN32
    ::_tzset();
#else
    ::tzset();
#endif
}

TableRow competitorRow(const std::string& id, const std::string& className, const std::string& name,
                       const std::string& card) {
    TableRow row;
    row[column::kId] = id;
    row[column::kClass] = className;
    row[column::kName] = name;
    row[column::kSi] = card;
    row[column::start(1)] = "0";
    return row;
}

bool ScriptedPrompt::question(const std::string& text) {
    shown.push_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompt::nextInput() {
    if (inputs.empty()) return std::nullopt;
    auto answer = inputs.front();
    inputs.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompt::input(const std::string& title, const std::string& prompt,
                                                 const std::string& defaultAnswer) {
    inputCalls.push_back({title, prompt, defaultAnswer});
    return nextInput();
}

std::optional<std::string> ScriptedPrompt::openFileName(const std::string&) {
    return nextInput();
}
std::optional<std::string> ScriptedPrompt::saveFileName(const std::string&) {
    return nextInput();
}

} // namespace ravik::test
