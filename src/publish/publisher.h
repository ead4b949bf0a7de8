#pragma once
// The publishing window's commands: connection test, race web folder, race
// description, uploads to the race web service and to another FTP server, download
// and merge of timed-control answers, and the automatic repetition of uploads.
// Every command opens the FTP connection and closes it again before it returns.
#include "core/prompt.h"
#include "core/race_record.h"
#include "core/session.h"
#include "publish/ftp_client.h"
#include "publish/service_config.h"
#include "publish/timed_control_merge.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ravik {

// whost, wuser, wpass (kept in the settings file) and wpath; "host:port" picks a port.
// The mode and the fingerprint are kept in the settings file too.
struct OtherFtpServer {
    std::string host{};
    std::string user{};
    std::string password{};
    std::string directory{};
    bool tls = false;             // "FTPS (explicit TLS)" chosen instead of "FTP"
    std::string tlsFingerprint{}; // SHA-256 of a self-signed certificate, as typed
};

// The values of the window's controls. Typed texts are code page 1250; file names
// are the native names of the list.
struct PublishControls {
    std::string serviceUser;                // VXuser
    std::string racePassword;               // heslo
    std::vector<std::string> fileList;      // ListBox1, in list order
    std::vector<std::string> selectedFiles; // its selected items, in list order
    OtherFtpServer otherServer;
    bool repeat = false;              // CheckBox16 "opakuj po"
    std::string repeatMinutes = "10"; // Edit3
};

// Which controls of the race web service group are visible after a connection test.
struct ServiceControls {
    bool serviceGroup = true;
    bool createFolder = false;          // FTPzavod
    bool update = false;                // FTPupdate
    bool downloadAll = false;           // DownloadTC
    bool upload = false;                // Button5
    bool downloadNew = false;           // Button2
    bool merge = false;                 // TC
    std::optional<std::string> address; // Edit1 (UTF-8) when both folders were found
};

struct RepeatAction {
    enum class Target { RaceWebService, OtherServer };
    std::vector<std::string> files;
    bool downloadNewFirst = false; // the flag "OK"
    Target target = Target::RaceWebService;
};
inline constexpr int kMaxRepeatActions = 50;

// What a command changes in the window besides the log.
struct PublishOutcome {
    std::optional<ServiceControls> serviceControls; // a connection test ran
    bool repeatRecorded = false;                    // uncheck CheckBox16, (re)start Timer1
    bool repeatRequested = false;                   // CheckBox16 was checked: uncheck it
    int timerIntervalMs = 0;
    std::optional<std::vector<std::string>> selection; // new selection of ListBox1
    // The race web folder, the remote directory or (merging) the stage folder is missing.
    bool stoppedWithoutFolder = false;
    int failures = 0; // files not uploaded, downloaded or merged (each logged)
};

class Publisher {
public:
    Publisher(Session& session, Prompt& prompt, FtpClient& ftp, ServiceConfig service);

    const ServiceConfig& service() const { return service_; }
    void setService(ServiceConfig service) { service_ = std::move(service); }
    // Told true while a connection is open (the status label "Spojeno !").
    std::function<void(bool)> onConnectionStatus;

    // Show: the current stage's record (when the race file exists) and the file list.
    void loadStageRecord();
    const RaceRecord& stageRecord() const { return stageRecord_; }
    // Names of the "*.HTM" files of the current stage folder, then of the race folder.
    std::vector<std::string> htmFileList() const;

    ServiceControls connectionTest(const std::string& serviceUser);
    PublishOutcome createRaceWebFolder(const PublishControls& controls);
    PublishOutcome updateRaceDescription(const PublishControls& controls);
    PublishOutcome uploadToService(const PublishControls& controls);
    PublishOutcome uploadToOtherServer(const PublishControls& controls);
    // "All": download every part file, then merge with checks. A file that cannot be
    // retrieved is logged and skipped; the others are downloaded and merged.
    PublishOutcome downloadAllTimedControls(const PublishControls& controls);
    // "New": download the part files of competitors without a merged file, then merge.
    PublishOutcome downloadNewTimedControls(const PublishControls& controls);
    // "Merge TC_*".
    PublishOutcome mergeTimedControls();

    // Timer1: replays the recorded actions; returns the list's new selection.
    PublishOutcome timerTick(const PublishControls& controls);
    // "Info": logs the actions; the selection becomes the last action's files.
    PublishOutcome showActions(const PublishControls& controls);
    // "Zastavit": forgets the actions (the window stops Timer1).
    void stopRepeating();
    // "Reset FTP" while a command runs on another thread: ends its FTP operation,
    // and every later one, until resetFtp().
    void cancelRunning() { ftp_.cancel(); }
    // "Reset FTP": ends the running FTP operation and closes the connection.
    void resetFtp();

    int actionCount() const { return static_cast<int>(actions_.size()); }
    const std::vector<RepeatAction>& actions() const { return actions_; }

private:
    const char* text(const Text& t) const { return session_.text(t); }
    std::string stageDate() const { return stageRecord_.stage_date; }
    std::string stageText() const { return session_.race.currentStageText(); }
    std::string currentStageFolder() const { return session_.race.currentStageFolder(); }
    void connectService();
    // Connects; a failed FTPS handshake is worded for the user.
    void connectTo(const FtpAccount& account);
    void disconnect();
    // CWD into the race web folder; when it is missing, asks and creates it. False
    // when the user did not want it created (nothing more is done then).
    bool enterRaceWebFolder(const PublishControls& controls, PublishOutcome& outcome);
    // The stores of every selected file, each logged; the number that failed.
    int storeSelectedFiles(const std::vector<std::string>& files);
    // The number of files that could not be retrieved (each logged and skipped).
    int downloadTimedControlFiles(const std::string& serviceUser, bool onlyNew);
    // The merge of the current stage folder; the number of competitors it failed for.
    int mergeStage(MergeMode mode);
    void recordAction(const PublishControls& controls, RepeatAction action, PublishOutcome& outcome);

    Session& session_;
    Prompt& prompt_;
    FtpClient& ftp_;
    ServiceConfig service_;
    RaceRecord stageRecord_;
    std::vector<RepeatAction> actions_;
};

// What a log line says of a failed FTP operation: the server's reply when it gave one.
std::string failureReason(const FtpError& error);
// A cancelled operation ends the whole command; other failures may be passed over.
void rethrowIfCancelled(const FtpError& error);

// Timer interval of the text of Edit3: whole minutes, at least one.
int repeatIntervalMs(const std::string& minutesText);

// The selection after adding names: items of the list that are selected or named.
std::vector<std::string> selectionWith(const std::vector<std::string>& fileList,
                                       const std::vector<std::string>& selected,
                                       const std::vector<std::string>& added);

} // namespace ravik
