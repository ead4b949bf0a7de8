#include "publish/service_config.h"

#include "core/file_io.h"
#include "core/numbers.h"
#include "core/platform/files.h"

#include <cstdlib>
#include <filesystem>

namespace ravik {

namespace {

constexpr std::int64_t kMaxConfigBytes = 64 * 1024;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

ServiceConfig parseServiceConfig(const std::string& text) {
    ServiceConfig config;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        const auto equals = line.find('=');
        if (line.empty() || line.front() == '#' || line.front() == ';' || equals == std::string::npos)
            continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (key == "host")
            config.account.host = value;
        else if (key == "port")
            config.account.port = isDigitsOnly(value) ? leadingDigits(value) : 21;
        else if (key == "user")
            config.account.user = value;
        else if (key == "password")
            config.account.password = value;
        else if (key == "public_address")
            config.publicBaseAddress = value;
        else if (key == "admin_email")
            config.adminAddress = value;
        else if (key == "tls")
            config.account.tls = value == "yes";
        else if (key == "tls_fingerprint")
            config.account.tlsFingerprint = value;
    }
    if (config.account.port <= 0 || config.account.port > 65535) config.account.port = 21;
    if (!config.publicBaseAddress.empty() && config.publicBaseAddress.back() != '/')
        config.publicBaseAddress += '/';
    return config;
}

ServiceConfig loadServiceConfig(const std::string& path) {
    if (!fileExists(path)) return {};
    try {
        return parseServiceConfig(readWholeFile(path, kMaxConfigBytes));
    } catch (const std::exception&) {
        return {};
    }
}

std::string serviceConfigPath() {
    if (const char* chosen = std::getenv(kServiceConfigVariable); chosen && *chosen) return chosen;
    const std::string program = platform::programPath();
    if (program.empty()) return kServiceConfigFileName;
    return platform::utf8Of(platform::pathOf(program).parent_path() / kServiceConfigFileName);
}

} // namespace ravik
