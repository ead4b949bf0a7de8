// One writer per race: the lock beside the race file, as every writer meets it.
#include "core/race_lock.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace ravik {
namespace {

using test::TempFolder;

TEST(RaceLock, AHeldRaceRefusesChangesNamingTheHolderUntilItEndsHoweverItEnds) {
    TempFolder folder;
    const std::string race = folder.file("Cup.ravik");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const RaceLock lock = RaceLock::take(race);
        const char held = lock.held() ? 'y' : 'n';
        [[maybe_unused]] const auto written = ::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');

    const RaceLock refused = RaceLock::take(race);
    EXPECT_FALSE(refused.held());
    EXPECT_EQ(refused.holderPid(), holder);
    EXPECT_EQ(raceLockRefusal(refused, Language::Czech),
              "Závod je otevřen v jiném programu (PID " + std::to_string(holder) +
                  "), nic nebylo změněno. Zavřete ho tam a zkuste to znovu.");
    Session session;
    session.language = Language::English;
    session.race.setRacePath(race);
    session.table.appendRow();
    try {
        session.saveCompetitors();
        ADD_FAILURE() << "saved over a held race";
    } catch (const RaceLockedError& error) {
        EXPECT_EQ(std::string(error.what()), "The race is open in another program (PID " +
                                                 std::to_string(holder) +
                                                 "); nothing was changed. Close it there and try again.");
    }
    EXPECT_TRUE(session.readOnly());
    EXPECT_FALSE(std::filesystem::exists(session.race.competitorFilePath()));

    // Killed, the holder lets go: the next program holds the race.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(session.takeRaceLock());
    EXPECT_FALSE(session.readOnly());
    session.saveCompetitors();
    EXPECT_TRUE(std::filesystem::exists(session.race.competitorFilePath()));
    EXPECT_EQ(test::readFile(raceLockPath(race)), std::to_string(::getpid()) + "\n");
    // Within one program a second lock on the race is refused as well...
    EXPECT_FALSE(RaceLock::take(race).held());

    // ...so a working copy for another thread writes under the owner's lock.
    Session copy;
    copy.race = session.race;
    copy.table = session.table;
    copy.writeUnderLockOf(session);
    EXPECT_FALSE(copy.readOnly());
    copy.saveCompetitors();
    EXPECT_TRUE(session.raceLock().held());
    session.releaseRaceLock();
    const RaceLock other = RaceLock::take(race); // as if another program had the race
    copy.writeUnderLockOf(session);
    EXPECT_TRUE(copy.readOnly());
    copy.table.appendRow();
    EXPECT_THROW(copy.saveCompetitors(), RaceLockedError);
}

} // namespace
} // namespace ravik
