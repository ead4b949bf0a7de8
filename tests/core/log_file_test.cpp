// The log file beside the race: each line after its time of day, appended, and
// the older half kept in NAME.log.1 once the file reaches its limit.
#include "core/log_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace ravik::test {
namespace {

TEST(LogFile, AppendsTimedLinesBesideTheRaceAndRotatesAtItsLimit) {
    TempFolder folder;
    EXPECT_EQ(logFilePathOf(folder.file("Spring.2024.ravik")), folder.file("Spring.2024.log"));
    EXPECT_EQ(logFilePathOf(""), "");

    int second = 0;
    LogFile log([&] { return "10:00:0" + std::to_string(second++); }, 60);
    const std::string race = folder.file("Spring.ravik");
    writeFile(folder.file("Spring.log"), "09:59:59 from the last run\n");
    log.write(race, "SIlog read");
    EXPECT_EQ(readFile(folder.file("Spring.log")), "09:59:59 from the last run\n10:00:00 SIlog read\n");
    log.write(race, "Backup.....");
    EXPECT_EQ(readFile(folder.file("Spring.log.1")), "09:59:59 from the last run\n10:00:00 SIlog read\n");
    EXPECT_EQ(readFile(folder.file("Spring.log")), "10:00:01 Backup.....\n");
    log.write("", "no race open: no file");
    log.write(folder.file("Other.ravik"), "Čip 7");
    EXPECT_EQ(readFile(folder.file("Other.log")), "10:00:02 Čip 7\n");
    EXPECT_TRUE(std::regex_match(localClockText(), std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")));

    // A log file that cannot be written loses the line, not the program.
    std::filesystem::create_directory(folder.file("Locked.log"));
    log.write(folder.file("Locked.ravik"), "lost");
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Locked.log")));
}

} // namespace
} // namespace ravik::test
