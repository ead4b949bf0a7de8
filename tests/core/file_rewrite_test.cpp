// Temporary files of killed writers do not stay for ever.
#include "core/file_io.h"
#include "core/platform/platform.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(FileRewrite, TemporaryFilesOfWritersThatNoLongerRunAreRemovedAndOthersStay) {
    TempFolder folder;
    const std::string ended = test::endedProcessId();
    const std::string dead = folder.file("Race.zavodnici.tmp" + ended + "_123456");
    const std::string deadButNew = folder.file("E1.si.tmp" + ended + "_7");
    const std::string running =
        folder.file("Race.ravik.tmp" + std::to_string(platform::currentProcessId()) + "_42");
    const std::string notOurs = folder.file("notes.tmp" + ended + "_x");
    for (const auto& path : {dead, deadButNew, running, notOurs})
        test::writeFile(path, "half");
    for (const auto& path : {dead, running, notOurs})
        test::ageFile(path, 120);

    EXPECT_EQ(removeStaleTemporaryFiles(folder.path()), std::vector<std::string>{dead});
    EXPECT_FALSE(fs::exists(dead));
    // Just written: it may belong to a program on another computer sharing the folder.
    EXPECT_TRUE(fs::exists(deadButNew));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(notOurs));
}

} // namespace
} // namespace ravik
