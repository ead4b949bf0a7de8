// The automatic repetition of uploads and downloads (Timer1), its list and its stop.
#include "core/numbers.h"
#include "core/texts/publish_texts.h"
#include "publish/publisher.h"

#include <algorithm>

namespace ravik {

namespace {
// Keeps the interval within the timer's range.
constexpr int kMaxRepeatMinutes = 24 * 60;
const std::string kDashes(50, '-');
} // namespace

int repeatIntervalMs(const std::string& minutesText) {
    const int minutes = std::clamp(leadingDigits(digitsOnly(minutesText)), 1, kMaxRepeatMinutes);
    return minutes * 60000;
}

std::vector<std::string> selectionWith(const std::vector<std::string>& fileList,
                                       const std::vector<std::string>& selected,
                                       const std::vector<std::string>& added) {
    std::vector<std::string> selection;
    auto contains = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::string& name : fileList)
        if (contains(selected, name) || contains(added, name)) selection.push_back(name);
    return selection;
}

void Publisher::recordAction(const PublishControls& controls, RepeatAction action, PublishOutcome& outcome) {
    outcome.repeatRequested = true;
    if (actionCount() >= kMaxRepeatActions) {
        session_.log.append(text(texts::kTooManyActions));
        return;
    }
    actions_.push_back(std::move(action));
    outcome.repeatRecorded = true;
    outcome.timerIntervalMs = repeatIntervalMs(controls.repeatMinutes);
}

PublishOutcome Publisher::timerTick(const PublishControls& controls) {
    PublishOutcome outcome;
    if (actions_.empty()) return outcome;
    Log& log = session_.log;
    log.append(text(texts::kAutomaticFtp));
    log.append(text(texts::kActionsCount) + std::to_string(actionCount()));
    PublishControls replay = controls;
    replay.repeat = false;
    const std::vector<RepeatAction> actions = actions_;
    for (const RepeatAction& action : actions) {
        // One failing action is logged and the others still run: nobody may be watching.
        try {
            if (action.downloadNewFirst) downloadNewTimedControls(replay);
            replay.selectedFiles = selectionWith(controls.fileList, replay.selectedFiles, action.files);
            const PublishOutcome upload = action.target == RepeatAction::Target::OtherServer
                                              ? uploadToOtherServer(replay)
                                              : uploadToService(replay);
            if (upload.serviceControls) outcome.serviceControls = upload.serviceControls;
        } catch (const FtpError& error) {
            rethrowIfCancelled(error);
            log.append(text(texts::kActionFailed) + std::string(error.what()));
        } catch (const std::exception& error) {
            log.append(text(texts::kActionFailed) + std::string(error.what()));
        }
    }
    outcome.selection = replay.selectedFiles;
    return outcome;
}

PublishOutcome Publisher::showActions(const PublishControls& controls) {
    PublishOutcome outcome;
    Log& log = session_.log;
    for (const RepeatAction& action : actions_) {
        log.append(kDashes);
        log.append(text(texts::kActionsHeading));
        log.append(kDashes);
        log.append(text(texts::kUploadDir));
        log.append(text(texts::kDownloadDir));
        outcome.selection = selectionWith(controls.fileList, {}, action.files);
        log.append(text(texts::kFilesToUpload));
        for (const std::string& name : action.files)
            log.append(name);
        log.append(kDashes);
    }
    return outcome;
}

void Publisher::stopRepeating() {
    actions_.clear();
    session_.log.append(text(texts::kRepeatingStopped));
}

void Publisher::resetFtp() {
    ftp_.cancel();
    disconnect();
    ftp_.clearCancel();
    session_.log.append(text(texts::kFtpCanceled));
}

} // namespace ravik
