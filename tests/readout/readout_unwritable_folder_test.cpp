// A stage folder without write permission: POSIX permission bits, and for root
// the immutable attribute (chattr).
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace ravik::test {
namespace {

// A stage folder nothing can be written into, root or not; false where the system does not allow it.
class UnwritableFolder {
public:
    explicit UnwritableFolder(std::string path) : path_(std::move(path)) {
        std::filesystem::permissions(path_,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::geteuid() == 0) immutable_ = runProgram({"chattr", "+i", path_}).exitCode == 0;
    }
    ~UnwritableFolder() {
        if (immutable_) runProgram({"chattr", "-i", path_});
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
    }
    bool works() const { return ::geteuid() != 0 || immutable_; }

private:
    std::string path_;
    bool immutable_ = false;
};

TEST(ReadoutCommand, APunchFileThatCannotBeWrittenIsNamedWithTheSystemsReasonAndFailsTheCommand) {
    TempFolder folder;
    ASSERT_EQ(runCli({"demo", folder.path()}).exitCode, 0);
    const UnwritableFolder stage(folder.file("E1"));
    if (!stage.works()) GTEST_SKIP() << "no folder can be made unwritable here";
    const ProgramRun failed = runCli({"readout", folder.file("Sample.ravik"), "--stage", "1", "--lang", "GBR",
                                      "--log", folder.file("SIlog_E1.csv")},
                                     Streams::Together);
    EXPECT_EQ(failed.exitCode, 1) << failed.output;
    const std::string reason = ::geteuid() == 0 ? "Operation not permitted" : "Permission denied";
    EXPECT_NE(
        failed.output.find("Cannot write the punch file: " + folder.file("E1/1.si") + " (" + reason + ")"),
        std::string::npos)
        << failed.output;
}

} // namespace
} // namespace ravik::test
