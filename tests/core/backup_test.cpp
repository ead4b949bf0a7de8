#include "core/backup.h"

#include "core/file_io.h"
#include "core/log.h"
#include "core/race_context.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik {
namespace {

using test::TempFolder;

RaceContext raceAt(const std::string& path) {
    RaceContext race;
    race.setRacePath(path);
    return race;
}

TEST(Backup, NamesTakeTheBaseUpToTheLastPoint) {
    const BackupNames names = backupNames(raceAt("D:/Races/Spring.2024.ravik"));
    EXPECT_EQ(names.raceFile, "D:/Races/BACKUP_Spring.2024.Ravik");
    EXPECT_EQ(names.competitorFile, "D:/Races/BACKUP_Spring.2024.zavodnici");
}

TEST(Backup, CopiesBothFilesAndEachBackupReplacesThePreviousOne) {
    TempFolder folder;
    const RaceContext race = raceAt(folder.file("Spring.ravik"));
    test::writeFile(folder.file("Spring.ravik"), "race v1");
    test::writeFile(folder.file("Spring.zavodnici"), "competitors v1");
    LogLines log;
    backUpRace(race, log);
    test::writeFile(folder.file("Spring.ravik"), "race v2");
    test::writeFile(folder.file("Spring.zavodnici"), "competitors v2");
    backUpRace(race, log);

    EXPECT_EQ(test::readFile(folder.file("BACKUP_Spring.Ravik")), "race v2");
    EXPECT_EQ(test::readFile(folder.file("BACKUP_Spring.zavodnici")), "competitors v2");
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Backup.....", "Backup....."}));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 4) << "no temporary file stays behind";
}

TEST(Backup, AMissingCompetitorFileIsLoggedAndKeepsTheOlderBackup) {
    TempFolder folder;
    const RaceContext race = raceAt(folder.file("Spring.ravik"));
    test::writeFile(folder.file("Spring.ravik"), "race");
    test::writeFile(folder.file("BACKUP_Spring.zavodnici"), "older competitors");
    LogLines log;
    backUpRace(race, log);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Backup.....", "Backup *.zavodnici failed."}));
    EXPECT_EQ(test::readFile(folder.file("BACKUP_Spring.zavodnici")), "older competitors");
    EXPECT_EQ(test::readFile(folder.file("BACKUP_Spring.Ravik")), "race");
}

TEST(Backup, DoesNothingWithoutARaceFile) {
    TempFolder folder;
    LogLines log;
    backUpRace(raceAt(folder.file("Spring.ravik")), log);
    backUpRace(RaceContext{}, log);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_FALSE(fileExists(folder.file("BACKUP_Spring.Ravik")));
}

} // namespace
} // namespace ravik
