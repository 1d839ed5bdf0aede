// The live status numbers and texts: rate, percentage, bar width and label, progress line.
#include <gtest/gtest.h>

#include <string>

#include "progress/status_text.h"
#include "unit/progress/string_texts.h"

TEST(AverageBitRate, MultipliesBelowTheLimitAndDividesFirstFromIt)
{
    struct {
        uint32_t nBytes, nSeconds;
        uint64_t nRate;
    } cases[] = {
        {250000, 25, 80000},
        {7, 8, 7},
        {8, 8, 8},
        {16777214, 10, 13421771},   // multiply then divide
        {16777215, 10, 13421768},   // divide then multiply: 1677721 * 8
        {1073741824u, 2, 4294967296u},  // 1 GiB in 2 s: past 32 bits, no wrap to 0
        {4294967295u, 1, 34359738360u},
        {5000, 0, 0},               // less than one whole second
        {0, 25, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AverageBitRate(c.nBytes, c.nSeconds), c.nRate) << c.nBytes << " in " << c.nSeconds;
}

TEST(PercentOf, IsExactForEvery32BitCount)
{
    struct {
        uint32_t nBytes, nTotal, nPercent;
    } cases[] = {
        {250000, 1000000, 25},
        {50000000, 100000000, 50},     // the product needs more than 32 bits
        {4294967295u, 4294967295u, 100},
        {4294967294u, 4294967295u, 99},
        {1000, 1000, 100},
        {1050, 1000, 105},             // more than announced
        {4294967295u, 1, 4294967295u}, // held at the largest value instead of wrapping
        {1, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PercentOf(c.nBytes, c.nTotal), c.nPercent) << c.nBytes << " of " << c.nTotal;
}

TEST(FillBarWidth, TruncatesAndRunsJustPastTheEdgeAbove100)
{
    struct {
        uint32_t nPercent;
        int nWidth, nDone;
    } cases[] = {
        {0, 201, 0},   {50, 201, 100}, {99, 150, 148}, {100, 201, 201},
        {105, 200, 201},          // clipped by the control; looks like 210
        {4294967295u, 200, 201},  // no 32-bit wrap makes the gray part shrink
        {50, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FillBarWidth(c.nPercent, c.nWidth), c.nDone) << c.nPercent << "% of " << c.nWidth;
}

TEST(FormatBarLabel, ShowsThePercentOrCompleteAtExactly100)
{
    char strLabel[80];
    EXPECT_STREQ(FormatBarLabel(strLabel, sizeof strLabel, 0, nullptr), "0%");
    EXPECT_STREQ(FormatBarLabel(strLabel, sizeof strLabel, 42, nullptr), "42%");
    EXPECT_STREQ(FormatBarLabel(strLabel, sizeof strLabel, 105, nullptr), "105%");
    EXPECT_STREQ(FormatBarLabel(strLabel, sizeof strLabel, 100, "Complete"), "Complete");
    EXPECT_STREQ(FormatBarLabel(strLabel, sizeof strLabel, 100, nullptr), "");
}

TEST(FormatRateText, TruncatesTheDecimalsAndChangesWordingAbove1000)
{
    struct {
        uint32_t nRate;
        const char *strText;
    } cases[] = {
        {0, ""},
        {1, "1 bits per second"},
        {1000, "1000 bits per second"},
        {1001, "1.00K bits per second"},
        {1999, "1.99K bits per second"},
        {28800, "28.80K bits per second"},
        {80000, "80.00K bits per second"},
        {1234567, "1234.56K bits per second"},
        {4294967295u, "4294967.29K bits per second"},   // the longest: 27 characters
    };
    for (const auto &c : cases) {
        char strText[100];
        EXPECT_STREQ(FormatRateText(strText, sizeof strText, c.nRate, TEXT_RATE_KBITS, TEXT_RATE_BITS),
                     c.strText)
            << c.nRate;
    }
}

TEST(FormatDuration, BreaksSecondsIntoHoursMinutesAndSeconds)
{
    struct {
        uint32_t nSeconds;
        const char *strText;
    } cases[] = {
        {0, "0 secs"},          {1, "1 sec"},           {45, "45 secs"},
        {60, "60 secs"},        {61, "1 min 1 sec"},    {75, "1 min 15 secs"},
        {3600, "60 mins 0 secs"}, {3601, "1 hr 1 sec"}, {3660, "1 hr 60 secs"},
        {3725, "1 hr 2 mins 5 secs"}, {7322, "2 hrs 2 mins 2 secs"},
        {4294967295u, "1193046 hrs 28 mins 15 secs"},
    };
    for (const auto &c : cases) {
        char strText[64];
        EXPECT_STREQ(FormatDuration(strText, sizeof strText, c.nSeconds, TEXT_TIME_WORDS), c.strText)
            << c.nSeconds;
    }
}

static std::string ProgressLine(const char *strHead, uint32_t nBytes, uint32_t nTotal, uint32_t nRate)
{
    char strLine[100];
    return FormatProgressLine(strLine, sizeof strLine, strHead, nBytes, nTotal, nRate,
                              TEXT_TIME_WORDS, TEXT_REMAINING, TEXT_PROGRESS_BYTES);
}

TEST(FormatProgressLine, AddsTheTimeRemainingOnlyWhileItMeansSomething)
{
    EXPECT_EQ(ProgressLine("250000 of 1000000 bytes", 250000, 1000000, 80000),
              "250000 of 1000000 bytes, 1 min 15 secs remaining.");
    EXPECT_EQ(ProgressLine("0 of 1000 bytes", 0, 1000, 0), "0 of 1000 bytes");
    EXPECT_EQ(ProgressLine("1000 of 1000 bytes", 1000, 1000, 8000), "1000 of 1000 bytes");
    EXPECT_EQ(ProgressLine("7 of 100 bytes", 7, 100, 7), "7 of 100 bytes");
    EXPECT_EQ(ProgressLine("8 of 100 bytes", 8, 100, 8), "8 of 100 bytes, 1 min 32 secs remaining.");
    EXPECT_EQ(ProgressLine("999 of 1000 bytes", 999, 1000, 80000),
              "999 of 1000 bytes, 0 secs remaining.");
    // More bytes than announced: the unsigned difference would promise hours; nothing is shown.
    EXPECT_EQ(ProgressLine("1050 of 1000 bytes", 1050, 1000, 8000), "1050 of 1000 bytes");
}

TEST(FormatProgressLine, RemainingTimeHasExactlyOneBlankBetweenParts)
{
    // N = (T - B) / (R / 8): 60, 3600, 3601, 3660, 7322 seconds at one byte per second.
    struct {
        uint32_t nLeft;
        const char *strSuffix;
    } cases[] = {
        {60, ", 60 secs remaining."},
        {3600, ", 60 mins 0 secs remaining."},
        {3601, ", 1 hr 1 sec remaining."},
        {3660, ", 1 hr 60 secs remaining."},
        {7322, ", 2 hrs 2 mins 2 secs remaining."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProgressLine("x", 1, 1 + c.nLeft, 8), std::string("x") + c.strSuffix) << c.nLeft;
}

TEST(FormatProgressLine, FitsTheLongestLineAndFallsBackToTheCountWithoutAHead)
{
    std::string strLong = ProgressLine("4294967294 of 4294967295 bytes", 1, 4294967295u, 8);
    EXPECT_EQ(strLong, "4294967294 of 4294967295 bytes, 1193046 hrs 28 mins 14 secs remaining.");
    EXPECT_LE(strLong.size(), 99u);
    EXPECT_EQ(ProgressLine("", 5000, 10000, 8000), "5000 bytes.");
    EXPECT_EQ(ProgressLine(nullptr, 0, 0, 0), "0 bytes.");

    char strSmall[12];
    FormatProgressLine(strSmall, sizeof strSmall, "250000 of 1000000 bytes", 250000, 1000000, 80000,
                       TEXT_TIME_WORDS, TEXT_REMAINING, TEXT_PROGRESS_BYTES);
    EXPECT_STREQ(strSmall, "250000 of 1");
}
