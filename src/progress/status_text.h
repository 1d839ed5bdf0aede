// Numbers and texts of the live transfer status: rate, percentage, bar, remaining time.
// The format strings come from the string table; callers pass them in as loaded.
#ifndef FTPLINK_STATUS_TEXT_H
#define FTPLINK_STATUS_TEXT_H

#include <cstddef>
#include <cstdint>

// Duration words as loaded from the string table.
struct TIME_WORDS {
    const char *strSec;
    const char *strSecs;
    const char *strHr;
    const char *strHrs;
    const char *strMin;
    const char *strMins;
};

// Average bits per second of nBytes in nSeconds; 0 when nSeconds or nBytes is 0.
uint64_t AverageBitRate(uint32_t nBytes, uint32_t nSeconds);

// nBytes * 100 / nTotal, exact for all 32-bit values; held at the largest 32-bit value
// when more bytes arrived than announced by a factor that no longer fits.
uint32_t PercentOf(uint32_t nBytes, uint32_t nTotal);

// Width of the gray part of a bar nWidth pixels wide. Above 100 percent it reaches just past
// the right edge, which looks the same as any wider rectangle and cannot overflow.
int FillBarWidth(uint32_t nPercent, int nWidth);

// "42%", or strComplete at exactly 100 percent.
char *FormatBarLabel(char *strOut, size_t nCap, uint32_t nPercent, const char *strComplete);

// strKiloFormat ("%u.%02uK ...") above 1000, strUnitFormat ("%u ...") from 1 to 1000,
// empty for 0. The decimals are truncated, never rounded.
char *FormatRateText(char *strOut, size_t nCap, uint64_t nRate, const char *strKiloFormat,
                     const char *strUnitFormat);

// "1 hr 2 mins 5 secs": hours above 3600 seconds, minutes above 60 of what is left,
// seconds always; one blank between every number and word.
char *FormatDuration(char *strOut, size_t nCap, uint32_t nSeconds, const TIME_WORDS &words);

// The progress line when the size is known: strHead is "B of T bytes" as the message
// formatter made it, followed by the time remaining while fewer bytes than announced have
// arrived at 8 bits per second or more. An empty head (the formatter failed) gives the
// byte count alone through strBytesFormat ("%u bytes.").
char *FormatProgressLine(char *strOut, size_t nCap, const char *strHead, uint32_t nBytes,
                         uint32_t nTotal, uint64_t nRate, const TIME_WORDS &words,
                         const char *strRemaining, const char *strBytesFormat);

// Appends printf-style text at the end of strOut, cutting at nCap - 1.
void AppendFormat(char *strOut, size_t nCap, const char *strFormat, ...);

#endif
