#pragma once
// The race web service's deployment values, read from "ravik-service.ini" beside
// the program (or the file named by the environment variable RAVIK_SERVICE_CONFIG):
// lines "key=value" with the keys host, port, user, password, public_address,
// admin_email, tls ("yes": FTPS with explicit TLS; anything else: plain FTP) and
// tls_fingerprint (SHA-256 of a self-signed certificate); "#" starts a comment line.
// An empty host means "not configured".
#include "publish/ftp_client.h"

#include <string>

namespace ravik {

inline constexpr const char* kServiceConfigFileName = "ravik-service.ini";
inline constexpr const char* kServiceConfigVariable = "RAVIK_SERVICE_CONFIG";

struct ServiceConfig {
    FtpAccount account;            // host empty: the service is not configured
    std::string publicBaseAddress; // the public address of the results, ending with "/"
    std::string adminAddress;      // e-mail address in the no-access message

    bool configured() const { return !account.host.empty(); }
};

// Values of the text; unknown keys and malformed lines are ignored.
ServiceConfig parseServiceConfig(const std::string& text);

// Reads the file; a missing or unreadable file gives the not-configured defaults.
ServiceConfig loadServiceConfig(const std::string& path);

// The file the program uses: $RAVIK_SERVICE_CONFIG when set, else the file
// "ravik-service.ini" in the folder of the running program.
std::string serviceConfigPath();

} // namespace ravik
