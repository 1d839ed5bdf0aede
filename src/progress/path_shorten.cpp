// Shortening of a path for display: one component at a time becomes "...".
#include "progress/path_shorten.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "launch/mbcs.h"
#include "launch/strutil.h"

static const char SEPARATORS[] = "\\/";
static const char ELLIPSIS[] = "...";
constexpr int ELLIPSIS_LENGTH = 3;
constexpr unsigned WHOLE_TEXT = unsigned(-1);

// Position of the first "..." that starts on a character boundary; -1 when there is none.
static int FindEllipsis(const char *strText)
{
    for (const char *p = strText; *p; p = NextChar(p)) {
        if (strncmp(p, ELLIPSIS, ELLIPSIS_LENGTH) == 0)
            return int(p - strText);
    }
    return -1;
}

static int SeparatorPosition(const char *strText, unsigned nNumber)
{
    const char *pFound = FindNthCharInSet(strText, SEPARATORS, nNumber);
    return pFound ? int(pFound - strText) : -1;
}

// The first nKeep bytes, then strMiddle, then the text from nTail on. A step adds at most
// the three characters of the ellipsis, hence room for the old length plus 4.
static int ReplaceText(char **pText, int nLength, int nKeep, const char *strMiddle, int nTail)
{
    char *strNew = static_cast<char *>(malloc(size_t(nLength) + 4));
    if (strNew == nullptr)
        return 0;
    snprintf(strNew, size_t(nLength) + 4, "%.*s%s%s", nKeep, *pText, strMiddle, *pText + nTail);
    free(*pText);
    *pText = strNew;
    return 1;
}

int DropComponentAfterEllipsis(char **pText, int nLength, int nEllipsis)
{
    int nNext = SeparatorPosition(*pText + nEllipsis, 1);
    if (nNext < 0)
        return 0;
    return ReplaceText(pText, nLength, nEllipsis + ELLIPSIS_LENGTH, "", nEllipsis + nNext);
}

int DropComponentBeforeEllipsis(char **pText, int nLength, int nEllipsis, int nBefore)
{
    if (nBefore < 2)
        return 0;
    int nKept = SeparatorPosition(*pText, unsigned(nBefore - 2));
    if (nKept < 0)
        return 0;
    return ReplaceText(pText, nLength, nKept + 1, "", nEllipsis);
}

int ElideBetweenSeparators(char **pText, int nLength, int nFirst, int nSecond)
{
    int nKept = SeparatorPosition(*pText, unsigned(nFirst));
    int nTail = SeparatorPosition(*pText, unsigned(nSecond));
    if (nKept < 0 || nTail < 0)
        return 0;
    return ReplaceText(pText, nLength, nKept + 1, ELLIPSIS, nTail);
}

int ElideBeforeFirstSeparator(char **pText, int nLength)
{
    int nFirst = IndexOfAnyChar(*pText, SEPARATORS);
    if (nFirst <= 0)
        return 0;
    return ReplaceText(pText, nLength, 0, ELLIPSIS, nFirst) ? nFirst : 0;
}

int ShortenPathOnce(char **pText)
{
    const char *strText = *pText;
    int nLength = int(strlen(strText));
    int nEllipsis = FindEllipsis(strText);
    if (nEllipsis >= 0) {
        // Counted as two tails so that the count before the ellipsis is by bytes, the way
        // its position is, even when double-byte characters precede it.
        int nAfter = int(CountCharsInSet(strText + nEllipsis, SEPARATORS, WHOLE_TEXT));
        int nBefore = int(CountCharsInSet(strText, SEPARATORS, WHOLE_TEXT)) - nAfter;
        if (nBefore <= nAfter)
            return nAfter > 1 ? DropComponentAfterEllipsis(pText, nLength, nEllipsis) : 0;
        return nBefore > 1 ? DropComponentBeforeEllipsis(pText, nLength, nEllipsis, nBefore) : 0;
    }
    int nSeparators = int(CountCharsInSet(strText, SEPARATORS, WHOLE_TEXT));
    if (nSeparators > 1) {
        int nFirst = (nSeparators - 1) / 2;
        return ElideBetweenSeparators(pText, nLength, nFirst, nFirst + 1);
    }
    if (nSeparators == 1)
        return ElideBeforeFirstSeparator(pText, nLength);
    return 0;
}
