#pragma once
// Backup copies of the open race, made by the main window's backup timer every
// five minutes: "BACKUP_" + base + ".Ravik" and "BACKUP_" + base + ".zavodnici"
// in the race folder, one generation each.
#include <string>

namespace ravik {

class Log;
class RaceContext;

struct BackupNames {
    std::string raceFile;
    std::string competitorFile;
};

// For ".../Spring.2024.ravik": ".../BACKUP_Spring.2024.Ravik" and ".../BACKUP_Spring.2024.zavodnici".
BackupNames backupNames(const RaceContext& race);

// One tick: nothing when the race file does not exist; otherwise logs
// "Backup.....", then copies both files. Each copy goes to a temporary name in the
// race folder and is renamed over the old backup only when complete, so a failed
// copy leaves the previous backup in place; a failure is logged with its line.
void backUpRace(const RaceContext& race, Log& log);

} // namespace ravik
