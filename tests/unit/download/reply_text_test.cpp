// Reply codes and the numbers and texts that the transfer worker reads from FTP replies.
#include <gtest/gtest.h>

#include <cstdint>

#include "download/reply_text.h"

TEST(IsPositiveReply, OnlyTwoHundredsArePositive)
{
    const struct {
        int nCode;
        bool bPositive;
    } cases[] = {{200, true}, {213, true}, {226, true}, {299, true}, {199, false}, {300, false},
                 {550, false}, {0, false}, {-1, false}, {-200, false}, {2, false}, {2000, false}};
    for (const auto &c : cases)
        EXPECT_EQ(IsPositiveReply(c.nCode), c.bPositive) << c.nCode;
}

TEST(ParseLeadingNumber, ReadsLikeAtolWithoutOverflow)
{
    const struct {
        const char *str;
        int64_t nValue;
    } cases[] = {
        {"1234", 1234},
        {"  42\r\n", 42},
        {"+7", 7},
        {"-15", -15},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"5368709120", 5368709120LL},
        {"99999999999999999999999", INT64_MAX},
        {"-99999999999999999999999", INT64_MIN},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseLeadingNumber(c.str), c.nValue) << c.str;
    EXPECT_EQ(ParseLeadingNumber(nullptr), 0);
}

TEST(ClampToInt32, SaturatesAtTheLimits)
{
    EXPECT_EQ(ClampToInt32(1234), 1234);
    EXPECT_EQ(ClampToInt32(5368709120LL), INT32_MAX);
    EXPECT_EQ(ClampToInt32(-5368709120LL), INT32_MIN);
    EXPECT_EQ(ClampToInt32(-1), -1);
}

TEST(ReplyTextAfterCode, StartsAtTheFifthCharacter)
{
    const struct {
        const char *strReply;
        const char *strAfter;
    } cases[] = {
        {"213 20010203040506", "20010203040506"},
        {"213 20010203040506.123", "20010203040506.123"},
        {"213 ", ""},
        {"213", ""},
        {"21", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(ReplyTextAfterCode(c.strReply), c.strAfter) << c.strReply;
    EXPECT_STREQ(ReplyTextAfterCode(nullptr), "");
}

TEST(ReplyBeginsWith, NeedsTheDigitFirst)
{
    EXPECT_TRUE(ReplyBeginsWith("530 Login incorrect.", '5'));
    EXPECT_FALSE(ReplyBeginsWith("421 Too many users", '5'));
    EXPECT_FALSE(ReplyBeginsWith(" 530", '5'));
    EXPECT_FALSE(ReplyBeginsWith("", '5'));
    EXPECT_FALSE(ReplyBeginsWith(nullptr, '5'));
}
