// Multibyte text operations where no Windows run-time exists: single-byte, or code page 932.
#include "launch/mbcs.h"

static bool bCodePage932 = false;

bool IsLeadByte(unsigned char ch)
{
    return bCodePage932 && ((ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC));
}

bool IsTrailByte(unsigned char ch)
{
    return bCodePage932 && ((ch >= 0x40 && ch <= 0x7E) || (ch >= 0x80 && ch <= 0xFC));
}

static unsigned char FoldCase(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<unsigned char>(ch - 'A' + 'a') : ch;
}

// Letter case is folded in single-byte characters only, as the run-time does for the Latin
// letters of a double-byte code page. Equal prefixes keep both walks on character starts.
int CompareText(const char *strA, const char *strB, bool bIgnoreCase)
{
    const auto *pA = reinterpret_cast<const unsigned char *>(strA);
    const auto *pB = reinterpret_cast<const unsigned char *>(strB);
    for (;;) {
        unsigned char chA = pA[0];
        unsigned char chB = pB[0];
        bool bDouble = IsLeadByte(chA) && pA[1] != '\0';
        if (bIgnoreCase && !bDouble) {
            chA = FoldCase(chA);
            chB = FoldCase(chB);
        }
        if (chA != chB)
            return chA < chB ? -1 : 1;
        if (chA == '\0')
            return 0;
        if (bDouble) {
            if (pA[1] != pB[1])
                return pA[1] < pB[1] ? -1 : 1;
            pA += 2;
            pB += 2;
        } else {
            ++pA;
            ++pB;
        }
    }
}

void UseCodePageForTests(unsigned nCodePage)
{
    bCodePage932 = nCodePage == 932;
}
