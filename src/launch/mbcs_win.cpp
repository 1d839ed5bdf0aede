// Multibyte text operations on Windows: the run-time's table, which follows _setmbcp.
#include "launch/mbcs.h"

#include <mbctype.h>
#include <mbstring.h>

bool IsLeadByte(unsigned char ch)
{
    return _ismbblead(ch) != 0;
}

bool IsTrailByte(unsigned char ch)
{
    return _ismbbtrail(ch) != 0;
}

int CompareText(const char *strA, const char *strB, bool bIgnoreCase)
{
    const auto *pA = reinterpret_cast<const unsigned char *>(strA);
    const auto *pB = reinterpret_cast<const unsigned char *>(strB);
    return bIgnoreCase ? _mbsicmp(pA, pB) : _mbscmp(pA, pB);
}

void UseCodePageForTests(unsigned nCodePage)
{
    _setmbcp(static_cast<int>(nCodePage));
}
