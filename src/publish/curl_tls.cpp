#include "publish/curl_tls.h"

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace ravik {

namespace {

int checkIndex() {
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

TlsCheck* checkOf(X509_STORE_CTX* store) {
    auto* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    if (!ssl) return nullptr;
    return static_cast<TlsCheck*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), checkIndex()));
}

std::string withoutColons(const std::string& fingerprint) {
    std::string digits;
    for (char c : fingerprint)
        if (c != ':') digits += c;
    return digits;
}

// Called by OpenSSL for every certificate of the chain, the server's own last (depth 0).
int verifyCertificate(int preverified, X509_STORE_CTX* store) {
    TlsCheck* check = checkOf(store);
    if (!check) return preverified;
    const bool pinned = !check->expectedFingerprint.empty();
    if (X509_STORE_CTX_get_error_depth(store) != 0) return pinned ? 1 : preverified;
    X509* certificate = X509_STORE_CTX_get_current_cert(store);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!certificate || !X509_digest(certificate, EVP_sha256(), digest, &length)) return 0;
    check->seenFingerprint = formatTlsFingerprint(digest, length);
    if (!pinned) return preverified;
    if (withoutColons(check->seenFingerprint) == check->expectedFingerprint) {
        // A self-signed certificate is accepted for its fingerprint alone.
        X509_STORE_CTX_set_error(store, X509_V_OK);
        return 1;
    }
    check->mismatch = true;
    return 0;
}

CURLcode onSslContext(CURL*, void* context, void* check) {
    auto* ssl = static_cast<SSL_CTX*>(context);
    SSL_CTX_set_ex_data(ssl, checkIndex(), check);
    SSL_CTX_set_verify(ssl, SSL_VERIFY_PEER, &verifyCertificate);
    return CURLE_OK;
}

} // namespace

void applyTlsOptions(void* handle, const FtpAccount& account, TlsCheck& check) {
    CURL* curl = static_cast<CURL*>(handle);
    check = TlsCheck{};
    if (!account.tls) return;
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    if (!account.tlsFingerprint.empty()) {
        const auto fingerprint = parseTlsFingerprint(account.tlsFingerprint);
        if (!fingerprint)
            throw FtpError("Invalid TLS fingerprint: " + account.tlsFingerprint,
                           FtpFailure::InvalidFingerprint);
        check.expectedFingerprint = *fingerprint;
        // The fingerprint decides alone; the verify callback fails the handshake otherwise.
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    } else {
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
#ifdef _WIN32
        // OpenSSL brings no certificate authorities on Windows: Windows' own store vouches.
        curl_easy_setopt(curl, CURLOPT_SSL_OPTIONS, static_cast<long>(CURLSSLOPT_NATIVE_CA));
#endif
    }
    const bool hooked = curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &onSslContext) == CURLE_OK &&
                        curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &check) == CURLE_OK;
    // Without the hook a fingerprint could not be checked: never connect unchecked.
    if (!hooked && !check.expectedFingerprint.empty())
        throw FtpError("This FTP client cannot check a certificate fingerprint.",
                       FtpFailure::TlsHandshakeFailed);
}

} // namespace ravik
