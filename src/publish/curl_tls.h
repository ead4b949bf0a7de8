#pragma once
// FTPS (explicit TLS) on a libcurl handle: both connections encrypted, and the
// server's certificate checked during the handshake, before the user name and
// password are sent: against the system's certificate store, or, when the user
// entered a fingerprint, by its SHA-256 fingerprint alone.
#include "publish/ftp_client.h"

#include <string>

namespace ravik {

// What the handshakes of one request saw; read after the request to word its failure.
struct TlsCheck {
    std::string expectedFingerprint; // 64 capital hex digits; empty: verify against the store
    std::string seenFingerprint;     // "AB:CD:..." of the server's certificate, once shown
    bool mismatch = false;           // the certificate was refused for its fingerprint
};

// Sets the TLS options of the account on the handle (`curl` is a CURL*); `check`
// must outlive the request. Throws FtpError when a fingerprint is entered that is
// not one, or when this libcurl cannot check it.
void applyTlsOptions(void* curl, const FtpAccount& account, TlsCheck& check);

} // namespace ravik
