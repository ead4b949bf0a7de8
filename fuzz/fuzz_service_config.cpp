// Feeds arbitrary bytes to the reader of ravik-service.ini and its fingerprint to the
// fingerprint parser: the port stays a port, and an accepted fingerprint is 64
// capital hexadecimal digits.
#include "publish/service_config.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ravik::ServiceConfig config = ravik::parseServiceConfig(bytes);
    if (config.account.port <= 0 || config.account.port > 65535) __builtin_trap();
    for (const std::string& text : {config.account.tlsFingerprint, bytes}) {
        const auto fingerprint = ravik::parseTlsFingerprint(text);
        if (!fingerprint) continue;
        if (fingerprint->size() != 64) __builtin_trap();
        for (char c : *fingerprint)
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) __builtin_trap();
    }
    return 0;
}
