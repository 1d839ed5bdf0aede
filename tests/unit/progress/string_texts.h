// The texts of the string table that the progress formats use, as the tests pass them in.
#ifndef FTPLINK_TEST_STRING_TEXTS_H
#define FTPLINK_TEST_STRING_TEXTS_H

#include "progress/summary_text.h"

constexpr const char *TEXT_RATE_KBITS = "%u.%02uK bits per second";
constexpr const char *TEXT_RATE_BITS = "%u bits per second";
constexpr const char *TEXT_RATE_BPS = "%u bps";
constexpr const char *TEXT_RATE_KBYTES = "%u.%02uK bytes per sec.";
constexpr const char *TEXT_RATE_BYTES = "%u Bps";
constexpr const char *TEXT_REMAINING = " remaining.";
constexpr const char *TEXT_PROGRESS_BYTES = "%u bytes.";

inline const TIME_WORDS TEXT_TIME_WORDS = {"sec", "secs", "hr", "hrs", "min", "mins"};
inline const RATE_FORMATS TEXT_RATE_FORMATS = {TEXT_RATE_KBITS, TEXT_RATE_BPS, TEXT_RATE_KBYTES,
                                               TEXT_RATE_BYTES};

#endif
