// What the transfer worker reads out of FTP reply codes and reply texts.
#ifndef FTPLINK_REPLY_TEXT_H
#define FTPLINK_REPLY_TEXT_H

#include <cstddef>
#include <cstdint>

// A reply code is positive when its quotient by 100 is 2: 200 to 299.
constexpr bool IsPositiveReply(int nCode)
{
    return nCode / 100 == 2;
}

// The decimal number at the start of the text, after leading blanks and an optional sign,
// stopping at the first non-digit; 0 when there are no digits. Saturates instead of overflowing.
int64_t ParseLeadingNumber(const char *str);

// The same number as a signed 32-bit value, saturated at the 32-bit limits.
int32_t ClampToInt32(int64_t n);

// The text after a reply's three-digit code and its blank (from the fifth character);
// an empty text when the reply is null or shorter than that.
const char *ReplyTextAfterCode(const char *strReply);

// True when the reply text begins with the given digit; null or empty text never does.
bool ReplyBeginsWith(const char *strReply, char chDigit);

#endif
