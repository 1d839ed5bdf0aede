// Small text utilities for 8-bit ANSI text; every walk steps over double-byte characters.
#include "launch/strutil.h"

#include <cstdlib>
#include <cstring>

#include "launch/mbcs.h"

static const char EMPTY_TEXT[] = "";

// A character is single-byte when one step covers exactly one byte (a lone lead byte
// before the terminator counts as such).
static bool IsSingleByteAt(const char *p)
{
    return NextChar(p) == p + 1;
}

static bool IsCharInSet(const char *p, const char *strSet)
{
    return strSet && IsSingleByteAt(p) && IndexOfChar(strSet, static_cast<unsigned char>(*p)) >= 0;
}

// Start of the last character of non-empty text.
static const char *LastChar(const char *str)
{
    const char *pLast = str;
    for (const char *p = str; *p != '\0'; p = NextChar(p))
        pLast = p;
    return pLast;
}

static char *CopyBytes(const char *str, size_t nLen)
{
    char *strCopy = static_cast<char *>(malloc(nLen + 1));
    if (!strCopy)
        return nullptr;
    memcpy(strCopy, str, nLen);
    strCopy[nLen] = '\0';
    return strCopy;
}

const char *NullToEmpty(const char *str)
{
    return str ? str : EMPTY_TEXT;
}

bool IsNonEmpty(const char *str)
{
    return str && *str != '\0';
}

bool StringsEqual(const char *strA, const char *strB, bool bIgnoreCase, bool bNullAsEmpty)
{
    if (IsNonEmpty(strA) && IsNonEmpty(strB))
        return CompareText(strA, strB, bIgnoreCase) == 0;
    if (bNullAsEmpty)
        return !IsNonEmpty(strA) && !IsNonEmpty(strB);
    if (!strA || !strB)
        return !strA && !strB;
    return *strA == '\0' && *strB == '\0';
}

unsigned CountCharsInSet(const char *str, const char *strSet, unsigned n)
{
    unsigned nCount = 0;
    if (!str)
        return 0;
    for (const char *p = str; n > 0 && *p != '\0'; p = NextChar(p), --n) {
        if (IsCharInSet(p, strSet))
            ++nCount;
    }
    return nCount;
}

const char *FindNthCharInSet(const char *str, const char *strSet, unsigned n)
{
    for (const char *p = str; *p != '\0'; p = NextChar(p)) {
        if (IsCharInSet(p, strSet)) {
            if (n == 0)
                return p;
            --n;
        }
    }
    return nullptr;
}

int IndexOfChar(const char *str, int ch)
{
    char chWanted = static_cast<char>(ch & 0xFF);
    const char *p = str;
    for (; *p != '\0'; p = NextChar(p)) {
        if (*p == chWanted && IsSingleByteAt(p))
            return static_cast<int>(p - str);
    }
    return chWanted == '\0' ? static_cast<int>(p - str) : -1;
}

int IndexOfAnyChar(const char *str, const char *strSet)
{
    const char *pFound = FindNthCharInSet(str, strSet, 0);
    return pFound ? static_cast<int>(pFound - str) : -1;
}

int IndexOfLastChar(const char *str, int ch)
{
    char chWanted = static_cast<char>(ch & 0xFF);
    int nFound = -1;
    const char *p = str;
    for (; *p != '\0'; p = NextChar(p)) {
        if (*p == chWanted && IsSingleByteAt(p))
            nFound = static_cast<int>(p - str);
    }
    return chWanted == '\0' ? static_cast<int>(p - str) : nFound;
}

char *CopyLeft(const char *str, int n)
{
    if (!str)
        return nullptr;
    size_t nLen = strlen(str);
    if (n >= 0 && static_cast<size_t>(n) > nLen)
        return CopyBytes(str, nLen);
    if (n < 0)
        return nullptr;
    return CopyBytes(str, static_cast<size_t>(n));
}

char *CopyString(const char *str)
{
    return str ? CopyBytes(str, strlen(str)) : nullptr;
}

char *CopyFromIndex(const char *str, int nStart)
{
    if (!str || nStart < 0)
        return nullptr;
    size_t nLen = strlen(str);
    if (static_cast<size_t>(nStart) > nLen)
        return nullptr;
    return CopyBytes(str + nStart, nLen - static_cast<size_t>(nStart));
}

void ReplaceOwnedString(char **pSlot, char *strNew)
{
    free(*pSlot);
    *pSlot = strNew;
}

char *ReplaceEveryChar(char *str, int ch, char chReplacement)
{
    if (!str)
        return nullptr;
    char chWanted = static_cast<char>(ch & 0xFF);
    char *p = str;
    while (*p != '\0') {
        // The step is taken before the write, so a terminator written here ends an item,
        // not the walk.
        char *pNext = const_cast<char *>(NextChar(p));
        if (*p == chWanted && pNext == p + 1)
            *p = chReplacement;
        p = pNext;
    }
    return p;
}

char *EnsureTrailingChar(char *str, int ch)
{
    if (!IsNonEmpty(str))
        return str;
    const char *pLast = LastChar(str);
    char chWanted = static_cast<char>(ch & 0xFF);
    if (*pLast == chWanted && IsSingleByteAt(pLast))
        return str;
    size_t nLen = strlen(str);
    str[nLen] = chWanted;
    str[nLen + 1] = '\0';
    return str;
}

char *StripTrailingChar(char *str, int ch)
{
    if (!IsNonEmpty(str))
        return str;
    char *pLast = const_cast<char *>(LastChar(str));
    if (*pLast == static_cast<char>(ch & 0xFF) && IsSingleByteAt(pLast))
        *pLast = '\0';
    return str;
}
