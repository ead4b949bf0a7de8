// Feeds arbitrary bytes to the settings file reader; what it reads is written and
// read again to the same values.
#include "core/settings_file.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ravik::Settings settings = ravik::decodeSettings(bytes);
    if (settings.languageCode != "CZE" && settings.languageCode != "GBR") __builtin_trap();
    if (settings.printZoom < 0) __builtin_trap();
    // The FTP mode, the fingerprint and the slip's paper come back as they were read.
    const ravik::Settings again = ravik::decodeSettings(ravik::encodeSettings(settings));
    if (again.ftpTls != settings.ftpTls || again.ftpTlsFingerprint != settings.ftpTlsFingerprint ||
        again.printLayout != settings.printLayout)
        __builtin_trap();
    return 0;
}
