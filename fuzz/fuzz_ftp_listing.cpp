// Feeds arbitrary listing lines from an FTP server to the name parser: a name
// that is accepted can never leave the folder it is retrieved into.
#include "publish/ftp_client.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string name = ravik::nameOfListingLine(line);
    if (ravik::isPlainRemoteFileName(name)) {
        if (name.empty() || name == "." || name == "..") __builtin_trap();
        if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) __builtin_trap();
        for (unsigned char c : name)
            if (c < 0x20) __builtin_trap();
    }
    return 0;
}
