#include "publish/publisher.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/platform/files.h"
#include "core/race_file.h"
#include "core/texts/publish_texts.h"
#include "publish/race_description.h"
#include "publish/race_web_folder.h"
#include "publish/scope_exit.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <utility>

namespace ravik {

namespace {

std::vector<std::string> htmFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(platform::pathOf(folder), error)) {
        const std::string name = platform::utf8Of(entry.path().filename());
        if (matchesMask(name, "*.HTM") && entry.is_regular_file(error)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string failureReason(const FtpError& error) {
    return error.serverReply().empty() ? error.what() : error.serverReply();
}

void rethrowIfCancelled(const FtpError& error) {
    if (error.failure() == FtpFailure::Cancelled) throw error;
}

Publisher::Publisher(Session& session, Prompt& prompt, FtpClient& ftp, ServiceConfig service)
    : session_(session), prompt_(prompt), ftp_(ftp), service_(std::move(service)) {}

void Publisher::loadStageRecord() {
    stageRecord_ = RaceRecord{};
    const std::string& racePath = session_.race.racePath();
    const int stage = session_.race.currentStage();
    if (racePath.empty() || !fileExists(racePath)) return;
    if (stage >= 1 && stage <= stageCount(racePath)) stageRecord_ = readStage(racePath, stage);
}

std::vector<std::string> Publisher::htmFileList() const {
    if (!session_.race.isOpen()) return {};
    std::vector<std::string> names = htmFilesIn(currentStageFolder());
    for (std::string& name : htmFilesIn(session_.race.raceFolder()))
        names.push_back(std::move(name));
    return names;
}

void Publisher::connectService() {
    if (!service_.configured()) throw FtpError(text(texts::kServiceNotConfigured));
    connectTo(service_.account);
}

void Publisher::connectTo(const FtpAccount& account) {
    // How a failed FTPS connection is worded for the user.
    static constexpr std::pair<FtpFailure, const Text*> kTlsFailures[] = {
        {FtpFailure::TlsNotOffered, &texts::kTlsNotOffered},
        {FtpFailure::CertificateNotTrusted, &texts::kCertificateNotTrusted},
        {FtpFailure::FingerprintMismatch, &texts::kFingerprintMismatch},
        {FtpFailure::TlsHandshakeFailed, &texts::kTlsHandshakeFailed},
    };
    try {
        ftp_.connect(account);
    } catch (const FtpError& error) {
        if (error.failure() == FtpFailure::InvalidFingerprint)
            throw FtpError(text(texts::kInvalidFingerprint), error.failure());
        const auto tls = std::find_if(std::begin(kTlsFailures), std::end(kTlsFailures),
                                      [&](const auto& entry) { return entry.first == error.failure(); });
        if (tls == std::end(kTlsFailures)) throw;
        std::string message = std::string(text(*tls->second)) + " (" + error.what() + ")";
        if (!error.certificateFingerprint().empty())
            message += text(texts::kServerFingerprintBefore) + error.certificateFingerprint() +
                       text(texts::kServerFingerprintAfter);
        throw FtpError(message, error.failure(), error.serverReply(), error.certificateFingerprint());
    }
    if (onConnectionStatus) onConnectionStatus(true);
}

void Publisher::disconnect() {
    ftp_.disconnect();
    if (onConnectionStatus) onConnectionStatus(false);
}

ServiceControls Publisher::connectionTest(const std::string& serviceUser) {
    ServiceControls controls;
    Log& log = session_.log;
    if (!service_.configured()) {
        // Nothing was tried, so nothing failed: only say what is missing.
        log.append(text(texts::kServiceNotConfigured));
        controls.serviceGroup = false;
        return controls;
    }
    try {
        connectService();
    } catch (const FtpError& error) {
        rethrowIfCancelled(error);
        log.append(text(texts::kFtpConnectionError));
        log.append(error.what());
        controls.serviceGroup = false;
        disconnect();
        log.append(text(texts::kTestDisconnected));
        return controls;
    }
    ScopeExit closing([this] { disconnect(); });
    log.append(text(texts::kFtpConnectTestOk));

    bool userFolderFound = true;
    try {
        ftp_.changeDirectory("/" + userFolder(serviceUser));
    } catch (const FtpError& error) {
        rethrowIfCancelled(error);
        userFolderFound = false;
        prompt_.information(std::string(text(texts::kNoAccessBefore)) + cp1250ToUtf8(serviceUser) +
                            text(texts::kNoAccessMiddle) + service_.adminAddress +
                            text(texts::kNoAccessAfter));
    }
    const std::string stageFolder = stageFolderName(stageDate(), stageText());
    bool stageFolderFound = true;
    try {
        ftp_.changeDirectory(stageFolder);
    } catch (const FtpError& error) {
        rethrowIfCancelled(error);
        stageFolderFound = false;
        prompt_.information(text(texts::kMissingStageFolder) + cp1250ToUtf8(stageFolder));
    }

    if (userFolderFound && stageFolderFound) {
        controls.update = controls.downloadAll = controls.upload = controls.downloadNew = controls.merge =
            true;
        controls.address = cp1250ToUtf8(
            publicRaceAddress(service_.publicBaseAddress, serviceUser, stageDate(), stageText()));
    } else if (!stageFolderFound) {
        controls.createFolder = true;
    }
    log.append(text(texts::kCurrentDirectory) + cp1250ToUtf8(ftp_.currentDirectory()));
    disconnect();
    log.append(text(texts::kTestDisconnected));
    return controls;
}

PublishOutcome Publisher::createRaceWebFolder(const PublishControls& controls) {
    session_.requireWritable();
    const std::string stageFolder = currentStageFolder();
    writeFolderIndexPage(stageFolder);
    {
        connectService();
        ScopeExit closing([this] { disconnect(); });
        ftp_.changeDirectory(userFolder(controls.serviceUser) + "/");
        const std::string folder = stageFolderName(stageDate(), stageText());
        try {
            ftp_.makeDirectory(folder);
        } catch (const FtpError& error) {
            rethrowIfCancelled(error);
            // Already there (or not allowed): the change into it decides.
        }
        ftp_.changeDirectory(folder);
        writeRaceDescription(stageFolder, controls.racePassword, stageRecord_, session_.table);
        ftp_.store(stageFolder + kRaceDescriptionFileName, kRaceDescriptionFileName);
        ftp_.store(stageFolder + kFolderIndexFileName, kFolderIndexFileName);
    }
    PublishOutcome outcome;
    outcome.serviceControls = connectionTest(controls.serviceUser);
    return outcome;
}

bool Publisher::enterRaceWebFolder(const PublishControls& controls, PublishOutcome& outcome) {
    const std::string folder = raceWebFolder(controls.serviceUser, stageDate(), stageText());
    try {
        ftp_.changeDirectory(folder);
        return true;
    } catch (const FtpError& error) {
        rethrowIfCancelled(error);
    }
    if (!prompt_.question(text(texts::kCreateRaceFolderQuestion))) {
        disconnect();
        session_.log.append(text(texts::kNothingUploadedWithoutFolder));
        outcome.stoppedWithoutFolder = true;
        return false;
    }
    disconnect();
    outcome.serviceControls = createRaceWebFolder(controls).serviceControls;
    connectService();
    ftp_.changeDirectory(folder);
    return true;
}

PublishOutcome Publisher::updateRaceDescription(const PublishControls& controls) {
    session_.requireWritable();
    PublishOutcome outcome;
    connectService();
    ScopeExit closing([this] { disconnect(); });
    if (!enterRaceWebFolder(controls, outcome)) return outcome;
    const std::string stageFolder = currentStageFolder();
    writeRaceDescription(stageFolder, controls.racePassword, stageRecord_, session_.table);
    ftp_.store(stageFolder + kRaceDescriptionFileName, kRaceDescriptionFileName);
    disconnect();
    session_.log.append(text(texts::kRaceDataUpdated));
    return outcome;
}

} // namespace ravik
