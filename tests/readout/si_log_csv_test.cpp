#include "readout/si_log_csv.h"

#include <gtest/gtest.h>

using namespace ravik;

TEST(SiLogCsv, TenFieldsWithFieldTenRunningToTheFinalSemicolon) {
    const auto line = parseSiLogLine("1;2045117;31; CN;1;6;2023-11-01;10:23:45;5;1;2;");
    ASSERT_EQ(line.kind, SiLogLineKind::Punch);
    EXPECT_EQ(line.card, 2045117);
    EXPECT_EQ(line.code, 31);
    EXPECT_EQ(line.fields[silog::kMode], " CN");
    EXPECT_EQ(line.fields[silog::kTime], "10:23:45");
    EXPECT_EQ(line.fields[silog::kCnt], "1;2");
}

TEST(SiLogCsv, NineSemicolonsEndingTheLineGiveAnEmptyFieldTen) {
    const auto line = parseSiLogLine("1;2045117;;STA;1;6;2023-11-01;10:00:00;5;");
    ASSERT_EQ(line.kind, SiLogLineKind::Punch);
    EXPECT_EQ(line.code, std::nullopt);
    EXPECT_EQ(line.fields[silog::kCnt], "");
    EXPECT_EQ(line.fields[silog::kNo], "5");
}

TEST(SiLogCsv, HeaderHeaderLikeBlankAndMalformedLinesAreTold) {
    EXPECT_EQ(parseSiLogLine(kSiLogHeader).kind, SiLogLineKind::Header);
    EXPECT_EQ(parseSiLogLine(std::string(kSiLogHeader) + ";").kind, SiLogLineKind::HeaderLike);
    EXPECT_EQ(parseSiLogLine("x;SI-Card;a;b").kind, SiLogLineKind::HeaderLike);
    EXPECT_EQ(parseSiLogLine("").kind, SiLogLineKind::Blank);
    const std::string malformed[] = {
        "1;2045117;31; CN;1;6;2023-11-01;10:23:45;",         // fewer than nine ";"
        "1;2045117;31; CN;1;6;2023-11-01;10:23:45;5;12",     // no final ";"
        "1;2045117;10000; CN;1;6;2023-11-01;10:23:45;5;12;", // code out of range
        "1;2045117;3a; CN;1;6;2023-11-01;10:23:45;5;12;",    // code not a number
        "1;card;31; CN;1;6;2023-11-01;10:23:45;5;12;",       // no card number
        "1;2045117;31; CN;1;6;2023-11-01;10:2\x01:45;5;12;", // binary junk
        std::string(100000, ';'),                            // far too long
    };
    for (const auto& line : malformed)
        EXPECT_EQ(parseSiLogLine(line).kind, SiLogLineKind::Malformed) << line;
}

TEST(SiLogCsv, CardNumbersSkipLeadingBlanksAndStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(cardNumberOf("  2045117x"), 2045117);
    EXPECT_EQ(cardNumberOf("0"), 0);
    EXPECT_EQ(cardNumberOf(""), std::nullopt);
    EXPECT_EQ(cardNumberOf("x1"), std::nullopt);
    EXPECT_EQ(cardNumberOf(std::string(19, '9')), std::nullopt);
}
