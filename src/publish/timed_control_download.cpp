// Download of the timed-control part files from the race web folder, and their merge.
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/texts/publish_texts.h"
#include "publish/publisher.h"
#include "publish/race_web_folder.h"
#include "publish/scope_exit.h"
#include "publish/timed_control_merge.h"

namespace ravik {

int Publisher::downloadTimedControlFiles(const std::string& serviceUser, bool onlyNew) {
    session_.requireWritable();
    Log& log = session_.log;
    log.append(text(texts::kTryingToDownload));
    log.append(text(texts::kIfNothingHappened));
    const std::string stageFolder = currentStageFolder();
    int count = 0;
    int failures = 0;
    {
        connectService();
        ScopeExit closing([this] { disconnect(); });
        ftp_.changeDirectory("/" + raceWebFolder(serviceUser, stageDate(), stageText()));
        for (const std::string& line : ftp_.listDetails("*.tc2")) {
            const std::string name = nameOfListingLine(line);
            // Never sent back in a command: the server's replies would go out of step.
            if (name.size() > kMaxRemoteNameBytes) {
                log.append(text(texts::kTcSkipped) + cp1250ToUtf8(shortenedName(name)) + ": " +
                           text(texts::kNameTooLong));
                ++failures;
                continue;
            }
            // Names come from the server: never a path outside the stage folder.
            if (!isPlainRemoteFileName(name)) {
                log.append(text(texts::kRefusedRemoteName) + cp1250ToUtf8(name));
                continue;
            }
            const auto underscore = name.find('_');
            if (onlyNew && fileExists(stageFolder + name.substr(0, underscore) + ".tc2")) continue;
            log.append(text(texts::kTcListed) + cp1250ToUtf8(name));
            // Only part files: a merged file on the server never replaces the local one.
            if (name.back() != '2' || underscore == std::string::npos) continue;
            // One file too large or refused is skipped; the others still come.
            try {
                ftp_.retrieve(name, stageFolder + name);
                ++count;
            } catch (const FtpError& error) {
                rethrowIfCancelled(error);
                log.append(text(texts::kTcSkipped) + cp1250ToUtf8(name) + ": " + failureReason(error));
                ++failures;
            }
        }
    }
    log.append(text(texts::kAllTcDownloadedBefore) + std::to_string(count) +
               text(texts::kAllTcDownloadedAfter));
    return failures;
}

int Publisher::mergeStage(MergeMode mode) {
    return mergeTimedControlFiles(currentStageFolder(), stageRecord_, session_.table, mode, session_.language,
                                  session_.log);
}

PublishOutcome Publisher::downloadAllTimedControls(const PublishControls& controls) {
    PublishOutcome outcome;
    outcome.failures = downloadTimedControlFiles(controls.serviceUser, false);
    outcome.failures += mergeStage(MergeMode::CheckedKeepCorrected);
    return outcome;
}

PublishOutcome Publisher::downloadNewTimedControls(const PublishControls& controls) {
    PublishOutcome outcome;
    outcome.failures = downloadTimedControlFiles(controls.serviceUser, true);
    // Hand corrections stay: this runs unattended on the timer.
    outcome.failures += mergeStage(MergeMode::PlainKeepCorrected);
    session_.log.append(text(texts::kAllTcMerged));
    if (controls.repeat) recordAction(controls, {{}, true, RepeatAction::Target::RaceWebService}, outcome);
    return outcome;
}

PublishOutcome Publisher::mergeTimedControls() {
    PublishOutcome outcome;
    // Without the stage folder there is nothing to merge: saying all was merged would mislead.
    if (!folderExists(currentStageFolder())) {
        session_.log.append(text(texts::kTcStageFolderMissingBefore) + currentStageFolder() +
                            text(texts::kTcStageFolderMissingAfter));
        outcome.stoppedWithoutFolder = true;
        return outcome;
    }
    outcome.failures = mergeStage(MergeMode::Plain);
    session_.log.append(text(texts::kAllTcMerged));
    return outcome;
}

} // namespace ravik
