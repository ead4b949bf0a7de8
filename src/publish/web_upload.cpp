// Uploads of the selected pages: to the race web service and to another FTP server.
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/texts/publish_texts.h"
#include "publish/publisher.h"
#include "publish/scope_exit.h"

namespace ravik {

namespace {

// "host" or "host:port" as typed into whost.
FtpAccount otherServerAccount(const OtherFtpServer& server) {
    FtpAccount account{server.host, 21, server.user, server.password, server.tls, server.tlsFingerprint};
    const auto colon = server.host.rfind(':');
    if (colon != std::string::npos && isDigitsOnly(server.host.substr(colon + 1))) {
        account.host = server.host.substr(0, colon);
        account.port = leadingDigits(server.host.substr(colon + 1));
    }
    return account;
}

} // namespace

int Publisher::storeSelectedFiles(const std::vector<std::string>& files) {
    const std::string folders[] = {session_.race.raceFolder(), currentStageFolder()};
    int failures = 0;
    for (const std::string& name : files) {
        // Both copies go under the name as the file system has it, which is UTF-8 here;
        // the stage folder's copy comes second and wins when both exist, so the last
        // copy stored decides.
        std::string failure = text(texts::kLocalFileMissing);
        for (const std::string& folder : folders) {
            if (!fileExists(folder + name)) continue;
            try {
                ftp_.store(folder + name, name);
                failure.clear();
            } catch (const FtpError& error) {
                rethrowIfCancelled(error);
                failure = failureReason(error);
            }
        }
        if (failure.empty()) {
            session_.log.append(name + text(texts::kUploadedOnServer));
            continue;
        }
        session_.log.append(text(texts::kUploadUnsuccessful) + name + ": " + failure);
        ++failures;
    }
    return failures;
}

PublishOutcome Publisher::uploadToService(const PublishControls& controls) {
    PublishOutcome outcome;
    {
        connectService();
        ScopeExit closing([this] { disconnect(); });
        if (!enterRaceWebFolder(controls, outcome)) return outcome;
        outcome.failures = storeSelectedFiles(controls.selectedFiles);
    }
    if (controls.repeat)
        recordAction(controls, {controls.selectedFiles, false, RepeatAction::Target::RaceWebService},
                     outcome);
    return outcome;
}

PublishOutcome Publisher::uploadToOtherServer(const PublishControls& controls) {
    PublishOutcome outcome;
    {
        connectTo(otherServerAccount(controls.otherServer));
        ScopeExit closing([this] { disconnect(); });
        // An empty remote directory means the account's start directory; a missing
        // one stops the upload: the pages never land anywhere else.
        if (!controls.otherServer.directory.empty()) {
            try {
                ftp_.changeDirectory(controls.otherServer.directory);
            } catch (const FtpError& error) {
                rethrowIfCancelled(error);
                prompt_.information(text(texts::kRemoteDirectoryMissing));
                session_.log.append(text(texts::kRemoteDirectoryMissing) + std::string(" ") +
                                    text(texts::kNothingUploaded));
                outcome.stoppedWithoutFolder = true;
                outcome.failures = static_cast<int>(controls.selectedFiles.size());
                return outcome;
            }
        }
        outcome.failures = storeSelectedFiles(controls.selectedFiles);
    }
    if (controls.repeat)
        recordAction(controls, {controls.selectedFiles, false, RepeatAction::Target::OtherServer}, outcome);
    return outcome;
}

} // namespace ravik
