#include "core/settings_file.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/prompt.h"
#include "core/race_context.h"
#include "core/session.h"
#include "core/texts/setup_texts.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace ravik {
namespace {

// Far more than the lines of settings can ever need.
constexpr std::int64_t kMaxSettingsBytes = 1024 * 1024;

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// A value that held a line break would shift every later line.
std::string oneLine(const std::string& utf8) {
    std::string cp = utf8ToCp1250(utf8);
    std::erase_if(cp, [](char c) { return c == '\r' || c == '\n'; });
    return cp;
}

} // namespace

std::string settingsFilePath(const std::string& startDirectory) {
    if (startDirectory.empty()) return kSettingsFileName;
    const bool separated = endsWithSeparator(startDirectory);
    return startDirectory + (separated ? "" : "/") + kSettingsFileName;
}

std::string encodeSettings(const Settings& settings) {
    const std::string lines[] = {oneLine(settings.languageCode),
                                 oneLine(settings.readoutLogPath),
                                 "_",
                                 oneLine(settings.ftpHost),
                                 oneLine(settings.ftpUser),
                                 oneLine(settings.ftpPassword),
                                 std::to_string(settings.printZoom),
                                 settings.ftpTls ? "FTPS" : "FTP",
                                 oneLine(settings.ftpTlsFingerprint),
                                 printLayoutCode(settings.printLayout)};
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

Settings decodeSettings(const std::string& bytes) {
    const std::vector<std::string> lines = splitLines(bytes);
    const auto fileLine = [&](std::size_t number) {
        return number <= lines.size() ? lines[number - 1] : std::string();
    };
    const auto line = [&](std::size_t number) { return cp1250ToUtf8(fileLine(number)); };
    Settings settings;
    const std::string code = line(1).substr(0, std::min<std::size_t>(3, line(1).size()));
    settings.languageCode = code == "GBR" ? "GBR" : "CZE";
    settings.readoutLogPath = line(2);
    settings.ftpHost = line(4);
    settings.ftpUser = line(5);
    settings.ftpPassword = line(6);
    settings.printZoom = leadingDigits(line(7));
    settings.ftpTls = line(8) == "FTPS";
    // Hex digits and colons: any other byte can only be damage.
    settings.ftpTlsFingerprint = fileLine(9);
    std::erase_if(settings.ftpTlsFingerprint, [](char c) { return c < 0x20 || c > 0x7e; });
    settings.printLayout = printLayoutFromCode(line(10));
    return settings;
}

std::optional<Settings> readSettingsFile(const std::string& startDirectory) {
    const std::string path = settingsFilePath(startDirectory);
    if (!fileExists(path)) return std::nullopt;
    return decodeSettings(readWholeFile(path, kMaxSettingsBytes));
}

std::optional<Settings> loadSettings(Session& session) {
    if (session.startDirectory.empty()) return std::nullopt;
    std::optional<Settings> settings = readSettingsFile(session.startDirectory);
    if (!settings) return std::nullopt;
    session.language = languageFromCode(settings->languageCode);
    session.log.append(session.text(texts::kSettingsLoaded));
    return settings;
}

bool saveSettings(const Session& session, const Settings& settings, Prompt& prompt) {
    if (session.startDirectory.empty()) return true;
    try {
        // It holds the FTP password.
        writeFileAtomically(settingsFilePath(session.startDirectory), encodeSettings(settings),
                            kPrivateFileMode);
        return true;
    } catch (const IoError&) {
        prompt.information(session.text(texts::kSettingsNotSaved));
        return false;
    }
}

} // namespace ravik
