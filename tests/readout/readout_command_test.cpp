#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

using namespace ravik;
using ravik::test::readFile;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    CliRun run;
    FILE* pipe = ::popen((std::string(RAVIK_CLI_PATH) + " " + arguments + " 2>&1").c_str(), "r");
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    run.status = WEXITSTATUS(::pclose(pipe));
    return run;
}

} // namespace

TEST(ReadoutCommand, OnePassWithTheCompetitorFileAsTableWritesPunchFilesAndPrintsTheLog) {
    TempFolder folder;
    const std::string racePath = folder.file("cup.ravik");
    RaceRecord stage;
    stage.stage_number = 1;
    createRaceFile(racePath, stage);
    appendStage(racePath, stage);
    std::filesystem::create_directory(folder.file("E2"));
    CompetitorTable table;
    TableRow row;
    row[column::kId] = "12";
    row[column::kSi] = "2045117";
    row[column::kName] = "Nov\xE1k"; // code page 1250
    table.appendRow(row);
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
    writeFile(folder.file("log.csv"), std::string(kSiLogHeader) +
                                          "\r\n1;2045117;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n"
                                          "1;2045117;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n"
                                          "1;99;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");

    const CliRun proper = runCli("readout " + racePath + " --stage 2 --log " + folder.file("log.csv") +
                                 " --date 2023-11-01 --lang GBR");
    EXPECT_EQ(proper.status, 0) << proper.out;
    EXPECT_EQ(proper.out, "SIlog read\nCAUTION! SI card 99 is not assigned to any competitor!!\n");
    EXPECT_EQ(readFile(folder.file("E2/12.si")), "1;2045117;1;STA;1;6;2023-11-01;10:00:00;5;12;\r\n"
                                                 "1;2045117;2;FIN;1;6;2023-11-01;10:30:00;5;12;\r\n");
    EXPECT_TRUE(std::filesystem::exists(folder.file("E2/SI99.si")));
    EXPECT_EQ(runCli("readout " + racePath + " --stage 3 --log x").status, 1);
}
