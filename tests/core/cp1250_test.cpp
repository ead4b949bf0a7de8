#include "core/cp1250.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace ravik;

TEST(CodePage1250, CzechLettersRoundTrip) {
    const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy ŘÍŠĚČŽÝÁÉŮÚŤĎŇ";
    const std::string bytes = utf8ToCp1250(czech);
    EXPECT_EQ(bytes.size(), 53u); // one byte per character
    EXPECT_EQ(utf8ToCp1250("č"), "\xE8");
    EXPECT_EQ(utf8ToCp1250("Š"), "\x8A");
    EXPECT_EQ(utf8ToCp1250("€"), "\x80");
    EXPECT_EQ(cp1250ToUtf8(bytes), czech);
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        if (byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98) {
            EXPECT_EQ(cp1250ToUtf8(one), "\xEF\xBF\xBD");
        } else {
            EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(one)), one) << byte;
        }
    }
}

TEST(CodePage1250, TextOutsideTheCodePageBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("日本"), "??");
    EXPECT_EQ(utf8ToCp1250("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(utf8ToCp1250("\xC4"), "?"); // truncated sequence
}

TEST(Numbers, CellRules) {
    EXPECT_TRUE(isDigitsAndPoints("12.5"));
    EXPECT_TRUE(isDigitsAndPoints("1.2.3"));
    EXPECT_FALSE(isDigitsAndPoints(""));
    EXPECT_FALSE(isDigitsAndPoints("12a4"));
    EXPECT_FALSE(isDigitsAndPoints("-1"));
    EXPECT_EQ(wholeNumberOf("12.5"), 12);
    EXPECT_EQ(wholeNumberOf("99999999999"), std::nullopt);
    EXPECT_EQ(wholeNumberOf("."), std::nullopt);
    EXPECT_EQ(leadingDecimal("1.2.3"), 1.2);
    EXPECT_EQ(leadingDecimal(".5"), 0.5);
    EXPECT_EQ(leadingDigits("3x"), 3);
    EXPECT_EQ(leadingDigits("x"), 0);
    EXPECT_EQ(digitsOnly("1a5"), "15");
    EXPECT_EQ(decimalDigitsOf("2,50", 15)->whole, 2);
    EXPECT_EQ(decimalDigitsOf("2,50", 15)->fraction, "50");
    EXPECT_EQ(decimalDigitsOf(".5", 15)->whole, 0);
    EXPECT_EQ(decimalDigitsOf("12.", 15)->fraction, "");
    EXPECT_FALSE(decimalDigitsOf("1.2.3", 15));
    EXPECT_FALSE(decimalDigitsOf("12a", 15));
    EXPECT_FALSE(decimalDigitsOf(".", 15));
    EXPECT_FALSE(decimalDigitsOf("123", 2));
    EXPECT_EQ(formatGeneral15(double(12.1f)), "12.1000003814697");
    EXPECT_EQ(formatGeneral15(4.5), "4.5");
    EXPECT_EQ(formatGeneral15(0.0), "0");
    EXPECT_EQ(formatGeneral15(1e20), "1e+20");
    EXPECT_EQ(formatGeneral15(1e-5), "1e-05");
    EXPECT_EQ(formatGeneral15(123456789012345678.0), "1.23456789012346e+17");
    EXPECT_EQ(twoDigits(5), "05");
    EXPECT_EQ(twoDigits(125), "125");
}

TEST(CodePage1250, WellFormedUtf8IsToldFromOtherBytes) {
    for (const char* utf8 : {"", "Novak", "Nov\xC3\xA1k", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF"})
        EXPECT_TRUE(isWellFormedUtf8(utf8)) << utf8;
    // Code page 1250 text, a cut sequence, overlong forms, a surrogate, beyond U+10FFFF.
    for (const char* other : {"Nov\xE1k", "\xC3", "\xE2\x82", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "\x80", "\xC3\xA1\xE1"})
        EXPECT_FALSE(isWellFormedUtf8(other)) << other;
}
