#include "publish/curl_ftp_client.h"

#include "core/file_io.h"
#include "core/platform/files.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace ravik {

namespace {

// Longest listing accepted from a server.
constexpr std::size_t kMaxListingBytes = 8 * 1024 * 1024;
// Added to a file's name while it is being stored; not "htm", so the folder's index
// page does not list a page that is still arriving.
constexpr const char* kPartialUploadSuffix = ".part";

using CommandList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

CommandList commandList(const std::vector<std::string>& commands) {
    curl_slist* list = nullptr;
    for (const std::string& command : commands)
        list = curl_slist_append(list, command.c_str());
    return CommandList(list, &curl_slist_free_all);
}

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};
void ensureCurlGlobal() {
    static CurlGlobal global;
}

CURL* asCurl(void* handle) {
    return static_cast<CURL*>(handle);
}

// Server names and paths end up in FTP commands: no line breaks, no NULs.
bool hasControlCharacters(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f) return true;
    return false;
}

void checkName(const std::string& name, const char* what) {
    if (name.size() > kMaxRemoteNameBytes)
        throw FtpError(std::string("Remote ") + what + " longer than " + std::to_string(kMaxRemoteNameBytes) +
                       " bytes: " + shortenedName(name));
    if (name.empty() || name.find('/') != std::string::npos || hasControlCharacters(name))
        throw FtpError(std::string("Invalid remote ") + what + ": " + name);
}

void checkDirectory(const std::string& path) {
    if (path.size() > kMaxRemotePathBytes)
        throw FtpError("Remote directory longer than " + std::to_string(kMaxRemotePathBytes) +
                       " bytes: " + shortenedName(path));
    if (hasControlCharacters(path)) throw FtpError("Invalid remote directory: " + path);
}

std::string quotedPathOf257(const std::string& reply) {
    // 257 "/path" with "" standing for one quote inside the path.
    const auto open = reply.find('"');
    if (open == std::string::npos) return {};
    std::string path;
    for (std::size_t i = open + 1; i < reply.size(); ++i) {
        if (reply[i] != '"') {
            path += reply[i];
            continue;
        }
        if (i + 1 < reply.size() && reply[i + 1] == '"') {
            path += '"';
            ++i;
            continue;
        }
        return path;
    }
    return {};
}

std::string trimLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

} // namespace

struct CurlFtpClient::Transfer {
    std::vector<std::string> replies;
    std::string body;
    std::size_t bodyLimit = 0;
    bool bodyTooLarge = false;
    const platform::File* upload = nullptr;
    std::int64_t uploaded = 0;
    std::atomic<bool>* cancelled = nullptr;
    CURLcode result = CURLE_OK;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    static size_t onReply(char* data, size_t size, size_t count, void* self) {
        static_cast<Transfer*>(self)->replies.push_back(trimLineEnd(std::string(data, size * count)));
        return size * count;
    }
    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        if (transfer->body.size() + size * count > transfer->bodyLimit) {
            transfer->bodyTooLarge = true;
            return 0; // ends the transfer with a write error
        }
        transfer->body.append(data, size * count);
        return size * count;
    }
    static size_t onUpload(char* buffer, size_t size, size_t count, void* self) {
        Transfer& transfer = *static_cast<Transfer*>(self);
        std::string reason;
        const std::int64_t read = transfer.upload->readAt(transfer.uploaded, buffer, size * count, reason);
        if (read < 0) return CURL_READFUNC_ABORT;
        transfer.uploaded += read;
        return static_cast<size_t>(read);
    }
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Transfer*>(self)->cancelled->load() ? 1 : 0;
    }

    // The last error reply of the server (4xx or 5xx), for messages.
    std::string lastErrorReply() const {
        for (auto it = replies.rbegin(); it != replies.rend(); ++it)
            if (!it->empty() && (it->front() == '4' || it->front() == '5')) return *it;
        return {};
    }
    std::string last257() const {
        for (auto it = replies.rbegin(); it != replies.rend(); ++it)
            if (it->rfind("257", 0) == 0) return *it;
        return {};
    }
};

CurlFtpClient::CurlFtpClient(FtpLimits limits) : limits_(limits) {
    ensureCurlGlobal();
}

CurlFtpClient::~CurlFtpClient() {
    disconnect();
}

void CurlFtpClient::requireConnection() const {
    if (!handle_) throw FtpError("Not connected to an FTP server.");
}

std::string CurlFtpClient::absolute(const std::string& path) const {
    std::string joined = !path.empty() && path.front() == '/' ? path : currentDirectory_ + "/" + path;
    std::string normalised;
    for (char c : joined)
        if (!(c == '/' && !normalised.empty() && normalised.back() == '/')) normalised += c;
    while (normalised.size() > 1 && normalised.back() == '/')
        normalised.pop_back();
    if (normalised.empty() || normalised.front() != '/') normalised.insert(normalised.begin(), '/');
    return normalised;
}

std::string CurlFtpClient::urlOf(const std::string& absolutePath, bool directory) const {
    std::string url = "ftp://" + account_.host + ":" + std::to_string(account_.port) + "/%2F";
    std::size_t start = 1;
    bool first = true;
    while (start <= absolutePath.size()) {
        auto end = absolutePath.find('/', start);
        if (end == std::string::npos) end = absolutePath.size();
        const std::string segment = absolutePath.substr(start, end - start);
        if (!segment.empty()) {
            char* escaped =
                curl_easy_escape(asCurl(handle_), segment.data(), static_cast<int>(segment.size()));
            if (!first) url += "/";
            url += escaped;
            curl_free(escaped);
            first = false;
        }
        start = end + 1;
    }
    if (directory && !first) url += "/";
    return url;
}

void CurlFtpClient::prepare(const std::string& url, Transfer& transfer, std::int64_t bytesToSend) {
    CURL* curl = asCurl(handle_);
    curl_easy_reset(curl);
    transfer.cancelled = &cancelled_;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERNAME, account_.user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, account_.password.c_str());
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPSV, 0L);
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.timeoutMs));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>((limits_.timeoutMs + 999) / 1000));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits_.lowSpeedSeconds);
    // A server that keeps just above the low-speed limit still ends here.
    const long bound = limits_.transferBoundMs +
                       static_cast<long>(bytesToSend * 1000 / std::max(1L, limits_.boundBytesPerSecond));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, bound);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Transfer::onReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    applyTlsOptions(curl, account_, tlsCheck_);
}

void CurlFtpClient::perform(const std::string& what, Transfer& transfer) {
    const CURLcode code = cancelled_ ? CURLE_ABORTED_BY_CALLBACK : curl_easy_perform(asCurl(handle_));
    transfer.result = code;
    if (code == CURLE_OK) return;
    std::string message = what + ": ";
    if (code == CURLE_ABORTED_BY_CALLBACK && cancelled_) {
        disconnect();
        throw FtpError(message + "cancelled", FtpFailure::Cancelled);
    }
    if (transfer.bodyTooLarge) throw FtpError(message + "larger than 16 MB");
    message += transfer.errorBuffer[0] ? transfer.errorBuffer : curl_easy_strerror(code);
    const std::string reply = transfer.lastErrorReply();
    if (!reply.empty()) message += " (" + reply + ")";
    FtpFailure failure = FtpFailure::Other;
    if (code == CURLE_USE_SSL_FAILED)
        failure = FtpFailure::TlsNotOffered;
    else if (tlsCheck_.mismatch)
        failure = FtpFailure::FingerprintMismatch;
    else if (code == CURLE_PEER_FAILED_VERIFICATION)
        failure = FtpFailure::CertificateNotTrusted;
    else if (account_.tls && (code == CURLE_SSL_CONNECT_ERROR || code == CURLE_SSL_CERTPROBLEM ||
                              code == CURLE_SSL_CIPHER || code == CURLE_SSL_ISSUER_ERROR))
        failure = FtpFailure::TlsHandshakeFailed;
    throw FtpError(message, failure, reply, tlsCheck_.seenFingerprint);
}

void CurlFtpClient::connect(const FtpAccount& account) {
    disconnect();
    if (account.host.empty() || hasControlCharacters(account.host) ||
        account.host.find_first_of("/@ ") != std::string::npos)
        throw FtpError("Invalid FTP host: " + account.host);
    if (hasControlCharacters(account.user) || hasControlCharacters(account.password))
        throw FtpError("Invalid FTP user name or password.");
    account_ = account;
    if (account_.port <= 0 || account_.port > 65535) account_.port = 21;
    handle_ = curl_easy_init();
    if (!handle_) throw FtpError("Cannot start the FTP client.");
    Transfer transfer;
    currentDirectory_ = "/";
    try {
        prepare("ftp://" + account_.host + ":" + std::to_string(account_.port) + "/", transfer);
        curl_easy_setopt(asCurl(handle_), CURLOPT_NOBODY, 1L);
        perform("Connect to " + account_.host, transfer);
    } catch (const FtpError&) {
        disconnect();
        throw;
    }
    char* entry = nullptr;
    if (curl_easy_getinfo(asCurl(handle_), CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry && *entry)
        currentDirectory_ = absolute(entry);
}

void CurlFtpClient::changeDirectory(const std::string& path) {
    requireConnection();
    const std::string target = absolute(path);
    checkDirectory(target);
    Transfer transfer;
    prepare(urlOf(target, true), transfer);
    curl_easy_setopt(asCurl(handle_), CURLOPT_NOBODY, 1L);
    perform("CWD " + path, transfer);
    currentDirectory_ = target;
}

void CurlFtpClient::makeDirectory(const std::string& path) {
    requireConnection();
    if (path.empty()) throw FtpError("Invalid remote directory: " + path);
    checkDirectory(absolute(path));
    const std::string command = "MKD " + absolute(path);
    Transfer transfer;
    prepare(urlOf(currentDirectory_, true), transfer);
    curl_slist* quote = curl_slist_append(nullptr, command.c_str());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> owner(quote, &curl_slist_free_all);
    curl_easy_setopt(asCurl(handle_), CURLOPT_QUOTE, quote);
    curl_easy_setopt(asCurl(handle_), CURLOPT_NOBODY, 1L);
    perform("MKD " + path, transfer);
}

std::string CurlFtpClient::currentDirectory() {
    requireConnection();
    Transfer transfer;
    prepare(urlOf(currentDirectory_, true), transfer);
    // After curl's own CWD into the current directory, so the server says where it is.
    curl_slist* postQuote = curl_slist_append(nullptr, "PWD");
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> owner(postQuote, &curl_slist_free_all);
    curl_easy_setopt(asCurl(handle_), CURLOPT_POSTQUOTE, postQuote);
    curl_easy_setopt(asCurl(handle_), CURLOPT_NOBODY, 1L);
    perform("PWD", transfer);
    const std::string path = quotedPathOf257(transfer.last257());
    return path.empty() ? currentDirectory_ : path;
}

void CurlFtpClient::store(const std::string& localPath, const std::string& remoteName) {
    requireConnection();
    checkName(remoteName, "file name");
    // Stored under a temporary name and renamed over the old file only once it has
    // arrived whole: a broken transfer never leaves a truncated page in its place.
    const std::string partName = remoteName + kPartialUploadSuffix;
    checkName(partName, "file name");
    platform::File file;
    std::string reason;
    if (!file.open(localPath, platform::File::Mode::Read, reason))
        throw FtpError("Cannot read the file " + localPath);
    const std::int64_t size = fileSize(localPath);
    Transfer transfer;
    transfer.upload = &file;
    prepare(urlOf(absolute(partName), false), transfer, std::max<std::int64_t>(size, 0));
    CURL* curl = asCurl(handle_);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Transfer::onUpload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &transfer);
    if (size >= 0) curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    // Sent only after a complete transfer, in the file's folder.
    const CommandList rename = commandList({"RNFR " + partName, "RNTO " + remoteName});
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, rename.get());
    try {
        perform("STOR " + remoteName, transfer);
        return;
    } catch (const FtpError& error) {
        if (error.failure() == FtpFailure::Cancelled) throw;
        if (transfer.result != CURLE_QUOTE_ERROR) {
            removeQuietly(partName);
            throw;
        }
    }
    // Servers that rename only onto a free name (as Windows does) get the old file removed first.
    try {
        sendCommands("RNTO " + remoteName, {"*DELE " + remoteName, "RNFR " + partName, "RNTO " + remoteName});
    } catch (const FtpError& error) {
        if (error.failure() != FtpFailure::Cancelled) removeQuietly(partName);
        throw;
    }
}

void CurlFtpClient::sendCommands(const std::string& what, const std::vector<std::string>& commands) {
    requireConnection();
    Transfer transfer;
    prepare(urlOf(currentDirectory_, true), transfer);
    // After curl's own CWD into the current directory, so names are relative to it.
    const CommandList list = commandList(commands);
    curl_easy_setopt(asCurl(handle_), CURLOPT_POSTQUOTE, list.get());
    curl_easy_setopt(asCurl(handle_), CURLOPT_NOBODY, 1L);
    perform(what, transfer);
}

void CurlFtpClient::removeQuietly(const std::string& remoteName) {
    if (!handle_ || cancelled_) return;
    try {
        sendCommands("DELE " + remoteName, {"DELE " + remoteName});
    } catch (const FtpError&) {
        // What is left is only a temporary name; the next store of the file replaces it.
    }
}

std::vector<std::string> CurlFtpClient::listDetails(const std::string& mask) {
    requireConnection();
    Transfer transfer;
    transfer.bodyLimit = kMaxListingBytes;
    // Servers differ in masks after LIST (some refuse them): list the folder, filter here.
    prepare(urlOf(currentDirectory_, true), transfer);
    perform("LIST " + mask, transfer);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < transfer.body.size()) {
        auto end = transfer.body.find('\n', start);
        if (end == std::string::npos) end = transfer.body.size();
        std::string line = trimLineEnd(transfer.body.substr(start, end - start));
        if (!line.empty() && matchesMask(nameOfListingLine(line), mask)) lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

void CurlFtpClient::retrieve(const std::string& remoteName, const std::string& localPath) {
    requireConnection();
    checkName(remoteName, "file name");
    Transfer transfer;
    transfer.bodyLimit = kMaxRetrievedFileBytes;
    prepare(urlOf(absolute(remoteName), false), transfer);
    perform("RETR " + remoteName, transfer);
    try {
        writeFileAtomically(localPath, transfer.body);
    } catch (const std::exception& error) {
        throw FtpError("RETR " + remoteName + ": " + error.what());
    }
}

void CurlFtpClient::disconnect() {
    if (!handle_) return;
    curl_easy_cleanup(asCurl(handle_)); // sends QUIT on a connection that is still open
    handle_ = nullptr;
    currentDirectory_.clear();
}

} // namespace ravik
