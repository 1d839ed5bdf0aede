// Reading the MDTM time text by fixed positions.
#include <gtest/gtest.h>

#include <cstddef>

#include "download/mod_time.h"

TEST(ParseModTime, ReadsEachGroupByPositionLikeAtoi)
{
    struct {
        const char *strText;
        MOD_TIME_FIELDS time;   // year, month, day of week, day, hour, minute, second, ms
    } cases[] = {
        {"20010203040506", {2001, 2, 0, 3, 4, 5, 6, 0}},
        {"20010203040506.789", {2001, 2, 0, 3, 4, 5, 6, 0}},   // fraction ignored
        {"20011303040506", {2001, 13, 0, 3, 4, 5, 6, 0}},      // refused later, not here
        {"200102", {2001, 2, 0, 0, 0, 0, 0, 0}},                // groups past the end are 0
        {"2001020", {2001, 2, 0, 0, 0, 0, 0, 0}},               // a half group: "0"
        {"20010203 4 5 6", {2001, 2, 0, 3, 4, 5, 6, 0}},        // " 4": a leading blank
        {"", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"ab01x2", {0, 0, 0, 0, 0, 0, 0, 0}},                   // "ab01": no leading digit
        {" 999-1+2", {999, 65535, 0, 2, 0, 0, 0, 0}},           // blanks and signs accepted
        {"2001-1", {2001, 65535, 0, 0, 0, 0, 0, 0}},            // -1 wraps, conversion refuses it
    };
    for (const auto &c : cases) {
        MOD_TIME_FIELDS time = ParseModTime(c.strText);
        EXPECT_EQ(time.wYear, c.time.wYear) << c.strText;
        EXPECT_EQ(time.wMonth, c.time.wMonth) << c.strText;
        EXPECT_EQ(time.wDayOfWeek, 0) << c.strText;
        EXPECT_EQ(time.wDay, c.time.wDay) << c.strText;
        EXPECT_EQ(time.wHour, c.time.wHour) << c.strText;
        EXPECT_EQ(time.wMinute, c.time.wMinute) << c.strText;
        EXPECT_EQ(time.wSecond, c.time.wSecond) << c.strText;
        EXPECT_EQ(time.wMilliseconds, 0) << c.strText;
    }
}

TEST(ParseModTime, NullTextGivesTheZeroRecord)
{
    MOD_TIME_FIELDS time = ParseModTime(nullptr);
    EXPECT_EQ(time.wYear, 0);
    EXPECT_EQ(time.wMonth, 0);
}

TEST(ParseModTime, LayoutMatchesTheSystemTimeRecord)
{
    EXPECT_EQ(sizeof(MOD_TIME_FIELDS), 16u);
    EXPECT_EQ(offsetof(MOD_TIME_FIELDS, wDay), 6u);
    EXPECT_EQ(offsetof(MOD_TIME_FIELDS, wMilliseconds), 14u);
}
