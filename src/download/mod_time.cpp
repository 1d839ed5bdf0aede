// Reading the server's modification time into the fields of a time record.
#include "download/mod_time.h"

#include <cstdlib>
#include <cstring>

// Converts the group of at most nWidth characters at nStart; never reads past the terminator.
static uint16_t ConvertGroup(const char *strText, size_t nTextLength, size_t nStart, size_t nWidth)
{
    if (nStart >= nTextLength)
        return 0;
    char strGroup[8] = {};
    size_t nCopy = nTextLength - nStart < nWidth ? nTextLength - nStart : nWidth;
    memcpy(strGroup, strText + nStart, nCopy);
    return uint16_t(atoi(strGroup));
}

MOD_TIME_FIELDS ParseModTime(const char *strModTime)
{
    MOD_TIME_FIELDS time = {};
    if (strModTime == nullptr)
        return time;
    size_t nLength = strlen(strModTime);
    time.wYear = ConvertGroup(strModTime, nLength, 0, 4);
    time.wMonth = ConvertGroup(strModTime, nLength, 4, 2);
    time.wDay = ConvertGroup(strModTime, nLength, 6, 2);
    time.wHour = ConvertGroup(strModTime, nLength, 8, 2);
    time.wMinute = ConvertGroup(strModTime, nLength, 10, 2);
    time.wSecond = ConvertGroup(strModTime, nLength, 12, 2);
    return time;
}
