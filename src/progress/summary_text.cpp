// Numbers and texts of the completion summary and of the elapsed-time report.
#include "progress/summary_text.h"

#include <cstdio>

constexpr size_t RATE_PART_CAP = 40;

uint32_t SummaryElapsed(uint32_t dwStartTick, uint32_t dwLastTick, uint32_t dwNow)
{
    // Signed difference: a last update at or before the start belongs to an earlier attempt.
    if (int32_t(dwLastTick - dwStartTick) <= 0)
        return dwNow - dwStartTick;
    return dwLastTick - dwStartTick;
}

uint32_t SummarySeconds(uint32_t nMilliseconds)
{
    uint32_t nSeconds = nMilliseconds / 1000;
    if (nSeconds == 0)
        return 1;
    if (nMilliseconds % 1000 > 500)
        ++nSeconds;
    return nSeconds;
}

SUMMARY_SIZE SummarySize(uint32_t nBytes)
{
    if (nBytes > SUMMARY_BYTES_LIMIT)
        return {nBytes / 1024, true};
    return {nBytes, false};
}

char *FormatFinalRates(char *strOut, size_t nCap, uint64_t nRate, const RATE_FORMATS &formats)
{
    char strBits[RATE_PART_CAP];
    char strBytes[RATE_PART_CAP];
    FormatRateText(strBits, sizeof strBits, nRate, formats.strKiloBits, formats.strBits);
    FormatRateText(strBytes, sizeof strBytes, nRate / 8, formats.strKiloBytes, formats.strBytes);
    snprintf(strOut, nCap, "%s,  %s", strBits, strBytes);
    return strOut;
}

char *FormatElapsedText(char *strOut, size_t nCap, int32_t nMilliseconds, const TIME_WORDS &words)
{
    if (nMilliseconds < 1) {
        strOut[0] = '\0';
        return strOut;
    }
    return FormatDuration(strOut, nCap, uint32_t(nMilliseconds) / 1000, words);
}
