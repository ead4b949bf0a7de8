// A rewritten file keeps what the user set on it: its POSIX permission bits, and
// a symbolic link stays a link.
#include "core/file_io.h"
#include "core/session.h"
#include "core/settings_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace ravik {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

unsigned modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(FileRewrite, KeepsTheModeOfTheFileItReplacesFollowsALinkAndCreatesTheSettingsPrivate) {
    TempFolder folder;
    const std::string ini = folder.file("ravik.ini");
    Session session;
    session.startDirectory = folder.path();
    test::ScriptedPrompt prompt;
    ASSERT_TRUE(saveSettings(session, Settings{}, prompt));
    EXPECT_EQ(modeOf(ini), 0600u); // it holds the FTP password

    for (const unsigned mode : {0600u, 0640u, 0755u}) {
        ::chmod(ini.c_str(), mode);
        writeFileAtomically(ini, "rewritten");
        EXPECT_EQ(modeOf(ini), mode);
    }
    const mode_t umask = ::umask(0);
    ::umask(umask);
    writeFileAtomically(folder.file("page.htm"), "new");
    EXPECT_EQ(modeOf(folder.file("page.htm")), 0666u & ~umask);

    // A link to a file kept elsewhere stays a link; its target gets the bytes.
    fs::create_directory(folder.file("shared"));
    test::writeFile(folder.file("shared/ravik.ini"), "old");
    ::chmod(folder.file("shared/ravik.ini").c_str(), 0600);
    fs::remove(ini);
    fs::create_symlink("shared/ravik.ini", ini);
    writeFileAtomically(ini, "through the link");
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(test::readFile(folder.file("shared/ravik.ini")), "through the link");
    EXPECT_EQ(modeOf(folder.file("shared/ravik.ini")), 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.file("shared")), fs::directory_iterator()), 1);
}

} // namespace
} // namespace ravik
