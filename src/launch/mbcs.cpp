// The character step shared by every build: over a lead byte and its trail, never past the end.
#include "launch/mbcs.h"

const char *NextChar(const char *str)
{
    if (*str == '\0')
        return str;
    if (IsLeadByte(static_cast<unsigned char>(str[0])) && str[1] != '\0')
        return str + 2;
    return str + 1;
}
