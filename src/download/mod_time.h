// Reading the server's modification time (the MDTM reply text "YYYYMMDDhhmmss") into
// the fields of a time record laid out like the platform's SYSTEMTIME.
#ifndef FTPLINK_MOD_TIME_H
#define FTPLINK_MOD_TIME_H

#include <cstdint>

struct MOD_TIME_FIELDS {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

// Fixed positions: year 1-4, month 5-6, day 7-8, hour 9-10, minute 11-12, second 13-14.
// A group converts like atoi (leading blanks and a sign accepted, stopping at a non-digit);
// a group beyond the end of the text, or without digits, gives 0. Nothing is checked here:
// the conversion to a file time refuses dates that do not exist.
MOD_TIME_FIELDS ParseModTime(const char *strModTime);

#endif
