// Numbers and texts of the completion summary and of the elapsed-time report.
#ifndef FTPLINK_SUMMARY_TEXT_H
#define FTPLINK_SUMMARY_TEXT_H

#include <cstddef>
#include <cstdint>

#include "progress/status_text.h"

// Sizes up to this many bytes are shown in bytes, larger ones in KB (1024 bytes).
constexpr uint32_t SUMMARY_BYTES_LIMIT = 1024576;

// The four rate formats of the summary, as loaded from the string table.
struct RATE_FORMATS {
    const char *strKiloBits;    // "%u.%02uK bits per second"
    const char *strBits;        // "%u bps"
    const char *strKiloBytes;   // "%u.%02uK bytes per sec."
    const char *strBytes;       // "%u Bps"
};

struct SUMMARY_SIZE {
    uint32_t nSize;
    bool bKilobytes;
};

// Milliseconds of the retrieval: up to the last status update, or up to now when no
// update came after the retrieval began (the difference would then not be a duration).
uint32_t SummaryElapsed(uint32_t dwStartTick, uint32_t dwLastTick, uint32_t dwNow);

// Whole seconds, an exact half rounding down, never less than 1.
uint32_t SummarySeconds(uint32_t nMilliseconds);

SUMMARY_SIZE SummarySize(uint32_t nBytes);

// "139.57K bits per second,  17.44K bytes per sec.": the separator stays when a part is empty.
char *FormatFinalRates(char *strOut, size_t nCap, uint64_t nRate, const RATE_FORMATS &formats);

// The elapsed-time text of a retrieval of nMilliseconds; empty when it is below 1 ms.
char *FormatElapsedText(char *strOut, size_t nCap, int32_t nMilliseconds, const TIME_WORDS &words);

#endif
