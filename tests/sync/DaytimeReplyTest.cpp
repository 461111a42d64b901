#include "sync/DaytimeReply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllTokens(const std::string& text, const char* separators) {
    std::vector<std::string> tokens;
    std::size_t position = 0;
    while (position != std::string::npos)
        tokens.push_back(NextToken(text, separators, position));
    return tokens;
}

} // namespace

TEST(Tokeniser, RunsOfSeparatorsCountAsOneAndLeadingOnesAreSkipped) {
    EXPECT_EQ(AllTokens("  a b   c ", " "), (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ(AllTokens("a", " "), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(AllTokens("", " "), (std::vector<std::string>{""}));
    EXPECT_EQ(AllTokens("12:-34", ":-"), (std::vector<std::string>{"12", "34", ""}));
}

TEST(Tokeniser, EndedPositionGivesEmptyFields) {
    std::size_t position = 0;
    EXPECT_EQ(NextToken("one", " ", position), "one");
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(NextToken("one", " ", position), "");
    EXPECT_EQ(position, std::string::npos);
    EXPECT_EQ(NextToken("one", " ", position), "");
}

TEST(ParseDecimal16, ReadsTheDecimalPrefixLikeTheRuntime) {
    EXPECT_EQ(ParseDecimal16("25"), 25);
    EXPECT_EQ(ParseDecimal16("  \t07"), 7);
    EXPECT_EQ(ParseDecimal16("\r7"), 7);
    EXPECT_EQ(ParseDecimal16(" \t-12"), static_cast<std::uint16_t>(-12));
    EXPECT_EQ(ParseDecimal16("+9"), 9);
    EXPECT_EQ(ParseDecimal16("09\n"), 9);
    EXPECT_EQ(ParseDecimal16("12abc"), 12);
    EXPECT_EQ(ParseDecimal16("abc"), 0);
    EXPECT_EQ(ParseDecimal16(""), 0);
    EXPECT_EQ(ParseDecimal16("-1"), 0xFFFF);
}

TEST(ParseDecimal16, KeepsTheLow16BitsOfLongNumbers) {
    EXPECT_EQ(ParseDecimal16("70000"), 70000 % 65536);
    // Far beyond any integer type: wraps instead of overflowing. 10^500 is a multiple of 2^16,
    // so 500 nines are -1 in the low 16 bits.
    EXPECT_EQ(ParseDecimal16(std::string(500, '9')), 0xFFFF);
    EXPECT_EQ(ParseDecimal16(std::string(499, '0') + "7"), 7);
}

TEST(ParseDaytimeReply, ReadsThePublicServersFormat) {
    SYSTEMTIME utc;
    ASSERT_TRUE(ParseDaytimeReply("\n60000 23-02-25 14:05:09 00 0 0 812.5 UTC(NIST) *\n", utc));
    EXPECT_EQ(utc.wYear, 2023);
    EXPECT_EQ(utc.wMonth, 2);
    EXPECT_EQ(utc.wDay, 25);
    EXPECT_EQ(utc.wHour, 14);
    EXPECT_EQ(utc.wMinute, 5);
    EXPECT_EQ(utc.wSecond, 9);
    EXPECT_EQ(utc.wMilliseconds, 0);
}

TEST(ParseDaytimeReply, LineFeedRightAfterTheTimeEndsTheSeconds) {
    SYSTEMTIME utc;
    ASSERT_TRUE(ParseDaytimeReply("60000 23-02-25 14:05:09\n", utc));
    EXPECT_EQ(utc.wSecond, 9);
}

TEST(ParseDaytimeReply, FieldsAreNotRangeChecked) {
    SYSTEMTIME utc;
    ASSERT_TRUE(ParseDaytimeReply("1 99-13-45 25:61:99", utc));
    EXPECT_EQ(utc.wYear, 2099);
    EXPECT_EQ(utc.wMonth, 13);
    EXPECT_EQ(utc.wDay, 45);
    EXPECT_EQ(utc.wHour, 25);
}

TEST(ParseDaytimeReply, RefusesRepliesThatDoNotVouchForTheirTime) {
    struct Case {
        const char* reply;
        bool vouches;
    };
    const Case cases[] = {
        {"60000 26-12-09 13:20:00 00 0 0 50.0 UTC(NIST) *", true},
        {"60000 2026-12-09 13:20:00 00 0 0 50.0 UTC(NIST) *", false},
        {"60000 26-12-09 13:20:00 00 0 1 50.0 UTC(NIST) *", true},
        {"60000 26-12-09 13:20:00 00 0 2 50.0 UTC(NIST) *", false},
        {"60000 26-12-09 13:20:00 00 0 4 50.0 UTC(NIST) *", false},
        {"60000 26-12-09 13:20:00 00 0 2\r\n", false},
        // Without the health field, or with something else in its place, it reads as before.
        {"60000 26-12-09 13:20:00", true},
        {"60000 26-12-09 13:20:00 00 0 50.0 UTC(NIST) *", true},
        {"60000 26-12-09 13:20:00 00 0 25", true},
    };
    for (const Case& c : cases) {
        SYSTEMTIME utc{};
        EXPECT_EQ(ParseDaytimeReply(c.reply, utc), c.vouches) << '"' << c.reply << '"';
        if (c.vouches) {
            EXPECT_EQ(utc.wYear, 2026) << '"' << c.reply << '"';
        }
    }
}

TEST(ParseDaytimeReply, MissingFieldsOrPartsFail) {
    SYSTEMTIME utc;
    for (const char* reply : {"", "60000", "60000 23-02-25", "60000 23-02 14:05:09",
                              "60000 23-02-25 14:05", "60000 --- 14:05:09", "23-02-25 14:05:09"})
        EXPECT_FALSE(ParseDaytimeReply(reply, utc)) << '"' << reply << '"';
}
