#include "core/backup.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/race_context.h"
#include "core/texts/setup_texts.h"

namespace ravik {
namespace {

// Larger than any race or competitor file; a larger one is not copied.
constexpr std::int64_t kMaxBackupBytes = 256LL * 1024 * 1024;

bool copyWhole(const std::string& from, const std::string& to) {
    try {
        writeFileAtomically(to, readWholeFile(from, kMaxBackupBytes));
        return true;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace

BackupNames backupNames(const RaceContext& race) {
    const std::string prefix = race.raceFolder() + "BACKUP_" + race.baseName();
    return {prefix + ".Ravik", prefix + ".zavodnici"};
}

void backUpRace(const RaceContext& race, Log& log) {
    if (!race.isOpen() || !fileExists(race.racePath())) return;
    log.appendDetail(texts::kBackupStarted);
    const BackupNames names = backupNames(race);
    if (!copyWhole(race.racePath(), names.raceFile)) log.append(texts::kBackupRaceFailed);
    if (!copyWhole(race.competitorFilePath(), names.competitorFile))
        log.append(texts::kBackupCompetitorsFailed);
}

} // namespace ravik
