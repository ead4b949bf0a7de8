#include "core/session.h"
#include "core/platform/platform.h"

#include "core/competitor_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/texts/core_texts.h"

#include <ctime>

namespace ravik {
namespace {

bool hasNoCompetitorData(const CompetitorTable& table) {
    for (int row = 1; row < table.rowCount(); ++row)
        for (const std::string& cell : table.row(row))
            if (!cell.empty()) return false;
    return true;
}

// Larger than any competitor file the program reads.
constexpr std::int64_t kMaxKeptBytes = 256LL * 1024 * 1024;

// A copy of the file beside it, named by the time: the original bytes survive the save.
std::string keepOriginal(const std::string& path) {
    const std::tm local = platform::localNow();
    char stamp[32];
    std::strftime(stamp, sizeof stamp, ".orig-%Y%m%d-%H%M%S", &local);
    std::string keptAs = path + stamp;
    for (int n = 2; fileExists(keptAs); ++n)
        keptAs = path + stamp + "-" + std::to_string(n);
    // On disk before the file it keeps is replaced: a power cut must not take both.
    writeFileAtomically(keptAs, readWholeFile(path, kMaxKeptBytes));
    return keptAs;
}

// A race open read-only can be looked through: a save that would change nothing is no change.
bool savesNothingNew(const CompetitorTable& table, const std::string& path) {
    if (!fileExists(path)) return false;
    CompetitorTable copy = table;
    LogLines unused;
    return competitorFileBytes(copy, unused) == readWholeFile(path);
}

} // namespace

void Session::loadCompetitors() {
    table.clear();
    table.setHeadings(language);
    const std::string path = race.competitorFilePath();
    originalToKeep_.clear();
    notRecognised_ = false;
    if (!race.isOpen()) {
        table.setRowCount(2);
        return;
    }
    const CompetitorFileLoad outcome = loadCompetitorTable(path, table);
    notRecognised_ = outcome.state == CompetitorFileState::NotRecognised;
    notRecognisedText_ =
        outcome.problem == CompetitorFileProblem::DamagedRecords ? &texts::kCompetitorFileDamaged
        : outcome.problem == CompetitorFileProblem::EitherLayout ? &texts::kCompetitorFileEitherLayout
                                                                 : &texts::kCompetitorFileNotRecognised;
    if (notRecognised_) log.append(text(*notRecognisedText_) + path);
    if (notRecognised_ || outcome.legacyLayout) originalToKeep_ = path;
}

void Session::saveCompetitors() {
    if (!race.isOpen()) return;
    if (savesHeld_ > 0) {
        savePending_ = true;
        return;
    }
    if (readOnly() && savesNothingNew(table, race.competitorFilePath())) return;
    requireWritable();
    const std::string path = race.competitorFilePath();
    if (originalToKeep_ == path && fileExists(path)) {
        if (notRecognised_ && hasNoCompetitorData(table)) throw IoError(text(*notRecognisedText_) + path);
        log.append(text(texts::kCompetitorFileKeptAs) + keepOriginal(path));
    }
    originalToKeep_.clear();
    notRecognised_ = false;
    saveCompetitorTable(path, table, log);
    for (const auto& listener : competitorsSaved)
        listener();
}

Session::HeldSaves::HeldSaves(Session& session) : session_(session) {
    ++session_.savesHeld_;
}

Session::HeldSaves::~HeldSaves() {
    if (held_) --session_.savesHeld_;
}

void Session::HeldSaves::finish() {
    if (!held_) return;
    held_ = false;
    if (--session_.savesHeld_ > 0 || !session_.savePending_) return;
    session_.savePending_ = false;
    session_.saveCompetitors();
}

bool Session::takeRaceLock() const {
    if (lock_.held() && lock_.racePath() == race.racePath()) return true;
    lock_.release();
    lockTriedFor_ = race.racePath();
    if (!race.isOpen()) return false;
    lock_ = RaceLock::take(race.racePath());
    return lock_.held();
}

void Session::releaseRaceLock() {
    lock_.release();
    lockTriedFor_.clear();
}

bool Session::readOnly() const {
    if (ownersRefusal_) return !ownersRefusal_->empty();
    return race.isOpen() && lockTriedFor_ == race.racePath() && !lock_.held();
}

void Session::requireWritable() const {
    if (ownersRefusal_) {
        if (!ownersRefusal_->empty()) throw RaceLockedError(*ownersRefusal_);
        return;
    }
    if (!race.isOpen()) return;
    if (lockTriedFor_ != race.racePath()) takeRaceLock();
    if (!lock_.held()) throw RaceLockedError(raceLockRefusal(lock_, language));
}

void Session::writeUnderLockOf(const Session& owner) {
    releaseRaceLock();
    try {
        owner.requireWritable();
        ownersRefusal_ = std::string();
    } catch (const RaceLockedError& refusal) {
        ownersRefusal_ = refusal.what();
    }
}

} // namespace ravik
