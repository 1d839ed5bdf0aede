// Numbers and texts of the live transfer status: rate, percentage, bar, remaining time.
#include "progress/status_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

// Below this count the bit count B * 8 still fits 32 bits; above it the rate divides first.
constexpr uint32_t RATE_MULTIPLY_FIRST_LIMIT = 0xFFFFFF;

static const char *TextOrEmpty(const char *str)
{
    return str ? str : "";
}

uint64_t AverageBitRate(uint32_t nBytes, uint32_t nSeconds)
{
    if (nSeconds == 0 || nBytes == 0)
        return 0;
    if (nBytes < RATE_MULTIPLY_FIRST_LIMIT)
        return nBytes * 8 / nSeconds;
    // Kept 64 bits wide: a local network passes 2^32 bits per second, which would wrap to 0.
    return uint64_t(nBytes / nSeconds) * 8;
}

uint32_t PercentOf(uint32_t nBytes, uint32_t nTotal)
{
    if (nTotal == 0)
        return 0;
    uint64_t nPercent = uint64_t(nBytes) * 100 / nTotal;
    return nPercent > UINT32_MAX ? UINT32_MAX : uint32_t(nPercent);
}

int FillBarWidth(uint32_t nPercent, int nWidth)
{
    if (nPercent == 0 || nWidth <= 0)
        return 0;
    uint64_t nDone = uint64_t(nPercent) * uint64_t(nWidth) / 100;
    return nDone > uint64_t(nWidth) ? nWidth + 1 : int(nDone);
}

char *FormatBarLabel(char *strOut, size_t nCap, uint32_t nPercent, const char *strComplete)
{
    if (nPercent == 100)
        snprintf(strOut, nCap, "%s", TextOrEmpty(strComplete));
    else
        snprintf(strOut, nCap, "%u%%", nPercent);
    return strOut;
}

char *FormatRateText(char *strOut, size_t nCap, uint64_t nRate, const char *strKiloFormat,
                     const char *strUnitFormat)
{
    strOut[0] = '\0';
    if (nRate > 1000)
        snprintf(strOut, nCap, TextOrEmpty(strKiloFormat), unsigned(std::min<uint64_t>(nRate / 1000, UINT32_MAX)),
                 unsigned(nRate % 1000 / 10));
    else if (nRate > 0)
        snprintf(strOut, nCap, TextOrEmpty(strUnitFormat), unsigned(nRate));
    return strOut;
}

void AppendFormat(char *strOut, size_t nCap, const char *strFormat, ...)
{
    size_t nUsed = strlen(strOut);
    if (nUsed + 1 >= nCap)
        return;
    va_list args;
    va_start(args, strFormat);
    vsnprintf(strOut + nUsed, nCap - nUsed, strFormat, args);
    va_end(args);
}

static const char *Plural(uint32_t n, const char *strOne, const char *strMany)
{
    return TextOrEmpty(n == 1 ? strOne : strMany);
}

char *FormatDuration(char *strOut, size_t nCap, uint32_t nSeconds, const TIME_WORDS &words)
{
    strOut[0] = '\0';
    const char *strSeparator = "";
    if (nSeconds > 3600) {
        uint32_t nHours = nSeconds / 3600;
        AppendFormat(strOut, nCap, "%u %s", nHours, Plural(nHours, words.strHr, words.strHrs));
        strSeparator = " ";
        nSeconds %= 3600;
    }
    if (nSeconds > 60) {
        uint32_t nMinutes = nSeconds / 60;
        AppendFormat(strOut, nCap, "%s%u %s", strSeparator, nMinutes,
                     Plural(nMinutes, words.strMin, words.strMins));
        strSeparator = " ";
        nSeconds %= 60;
    }
    AppendFormat(strOut, nCap, "%s%u %s", strSeparator, nSeconds,
                 Plural(nSeconds, words.strSec, words.strSecs));
    return strOut;
}

char *FormatProgressLine(char *strOut, size_t nCap, const char *strHead, uint32_t nBytes,
                         uint32_t nTotal, uint64_t nRate, const TIME_WORDS &words,
                         const char *strRemaining, const char *strBytesFormat)
{
    if (strHead == nullptr || strHead[0] == '\0') {
        snprintf(strOut, nCap, TextOrEmpty(strBytesFormat), nBytes);
        return strOut;
    }
    snprintf(strOut, nCap, "%s", strHead);
    // Past the announced size the remaining count has no meaning: no estimate is shown.
    if (nBytes < nTotal && nRate > 7) {
        char strDuration[64];
        FormatDuration(strDuration, sizeof strDuration, uint32_t((nTotal - nBytes) / (nRate / 8)), words);
        AppendFormat(strOut, nCap, ", %s%s", strDuration, TextOrEmpty(strRemaining));
    }
    return strOut;
}
