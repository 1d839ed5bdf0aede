// The completion summary's numbers and texts and the elapsed-time text.
#include <gtest/gtest.h>

#include <string>

#include "progress/summary_text.h"
#include "unit/progress/string_texts.h"

static std::string FinalRates(uint64_t nRate)
{
    char strText[80];
    return FormatFinalRates(strText, sizeof strText, nRate, TEXT_RATE_FORMATS);
}

TEST(SummarySeconds, RoundsHalfDownAndNeverGivesZero)
{
    struct {
        uint32_t nMilliseconds, nSeconds;
    } cases[] = {
        {0, 1}, {1, 1}, {700, 1}, {999, 1}, {1000, 1}, {1500, 1}, {1501, 2},
        {2000, 2}, {2600, 3}, {40500, 40}, {4294967295u, 4294967},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SummarySeconds(c.nMilliseconds), c.nSeconds) << c.nMilliseconds;
}

TEST(SummarySize, SwitchesToKilobytesAbove1024576Bytes)
{
    struct {
        uint32_t nBytes, nSize;
        bool bKilobytes;
    } cases[] = {
        {52340, 52340, false},
        {1024576, 1024576, false},
        {1024577, 1000, true},
        {5000000, 4882, true},
        {4294967295u, 4194303, true},
    };
    for (const auto &c : cases) {
        SUMMARY_SIZE size = SummarySize(c.nBytes);
        EXPECT_EQ(size.nSize, c.nSize) << c.nBytes;
        EXPECT_EQ(size.bKilobytes, c.bKilobytes) << c.nBytes;
    }
}

TEST(SummaryElapsed, MeasuresToTheLastUpdateOrToNowWhenThereWasNoneSinceTheStart)
{
    struct {
        uint32_t dwStart, dwLast, dwNow, nElapsed;
    } cases[] = {
        {10000, 12600, 12700, 2600},
        {4294966000u, 1704, 1800, 3000},   // across the counter's wrap
        {10000, 9800, 10150, 150},         // last update from before this retrieval
        {10000, 0, 10150, 150},            // no update at all in this process
        {10000, 10000, 10000, 0},          // nothing measurable: the summary is skipped
        {10000, 10000, 10400, 400},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SummaryElapsed(c.dwStart, c.dwLast, c.dwNow), c.nElapsed)
            << c.dwStart << " " << c.dwLast << " " << c.dwNow;
}

TEST(FormatFinalRates, JoinsBitsAndBytesWithACommaAndTwoBlanks)
{
    struct {
        uint64_t nRate;
        const char *strText;
    } cases[] = {
        {139573, "139.57K bits per second,  17.44K bytes per sec."},
        {1000000, "1000.00K bits per second,  125.00K bytes per sec."},
        {8000, "8.00K bits per second,  1000 Bps"},
        {1000, "1000 bps,  125 Bps"},
        {800, "800 bps,  100 Bps"},
        {8007, "8.00K bits per second,  1000 Bps"},
        {8008, "8.00K bits per second,  1.00K bytes per sec."},
        {5, "5 bps,  "},
        {0, ",  "},
        {4294967295u, "4294967.29K bits per second,  536870.91K bytes per sec."},
        {4294967296u, "4294967.29K bits per second,  536870.91K bytes per sec."},
        {34359738360u, "34359738.36K bits per second,  4294967.29K bytes per sec."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FinalRates(c.nRate), c.strText) << c.nRate;
}

TEST(SummaryNumbers, WorkedExamplesGiveTheirRates)
{
    struct {
        uint32_t nBytes, nElapsed, nSeconds;
        uint64_t nRate;
    } cases[] = {
        {52340, 2600, 3, 139573},
        {5000000, 40500, 40, 1000000},
        {1000, 700, 1, 8000},
    };
    for (const auto &c : cases) {
        uint32_t nSeconds = SummarySeconds(c.nElapsed);
        EXPECT_EQ(nSeconds, c.nSeconds) << c.nBytes;
        EXPECT_EQ(AverageBitRate(c.nBytes, nSeconds), c.nRate) << c.nBytes;
    }
}

TEST(FormatElapsedText, WorkedExamplesAndIgnoredValues)
{
    struct {
        int32_t nMilliseconds;
        const char *strText;
    } cases[] = {
        {999, "0 secs"},
        {1000, "1 sec"},
        {45200, "45 secs"},
        {60000, "60 secs"},
        {61000, "1 min 1 sec"},
        {3600000, "60 mins 0 secs"},
        {3601000, "1 hr 1 sec"},
        {3660000, "1 hr 60 secs"},
        {3725000, "1 hr 2 mins 5 secs"},
        {7322000, "2 hrs 2 mins 2 secs"},
        {2147483647, "596 hrs 31 mins 23 secs"},
        {0, ""},
        {-1, ""},
        {INT32_MIN, ""},
    };
    for (const auto &c : cases) {
        char strText[64] = "stale";
        EXPECT_STREQ(FormatElapsedText(strText, sizeof strText, c.nMilliseconds, TEXT_TIME_WORDS),
                     c.strText)
            << c.nMilliseconds;
    }
}
