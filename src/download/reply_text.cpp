// What the transfer worker reads out of FTP reply codes and reply texts.
#include "download/reply_text.h"

int64_t ParseLeadingNumber(const char *str)
{
    if (!str)
        return 0;
    while (*str == ' ' || *str == '\t' || *str == '\n' || *str == '\r' || *str == '\v' || *str == '\f')
        ++str;
    bool bNegative = false;
    if (*str == '+' || *str == '-') {
        bNegative = *str == '-';
        ++str;
    }
    int64_t nValue = 0;
    for (; *str >= '0' && *str <= '9'; ++str) {
        int nDigit = *str - '0';
        if (nValue > (INT64_MAX - nDigit) / 10)
            return bNegative ? INT64_MIN : INT64_MAX;
        nValue = nValue * 10 + nDigit;
    }
    return bNegative ? -nValue : nValue;
}

int32_t ClampToInt32(int64_t n)
{
    if (n > INT32_MAX)
        return INT32_MAX;
    if (n < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(n);
}

const char *ReplyTextAfterCode(const char *strReply)
{
    if (!strReply)
        return "";
    for (int i = 0; i < 4; ++i) {
        if (strReply[i] == '\0')
            return "";
    }
    return strReply + 4;
}

bool ReplyBeginsWith(const char *strReply, char chDigit)
{
    return strReply && strReply[0] == chDigit;
}
