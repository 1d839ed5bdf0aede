// Small text utilities for 8-bit ANSI text that step over double-byte characters.
// Heap results come from malloc and are released with free.
#ifndef FTPLINK_STRUTIL_H
#define FTPLINK_STRUTIL_H

#include <cstddef>

const char *NullToEmpty(const char *str);
bool IsNonEmpty(const char *str);
bool StringsEqual(const char *strA, const char *strB, bool bIgnoreCase, bool bNullAsEmpty);
unsigned CountCharsInSet(const char *str, const char *strSet, unsigned n);
const char *FindNthCharInSet(const char *str, const char *strSet, unsigned n);
int IndexOfChar(const char *str, int ch);
int IndexOfAnyChar(const char *str, const char *strSet);
int IndexOfLastChar(const char *str, int ch);
char *CopyLeft(const char *str, int n);
char *CopyString(const char *str);
char *CopyFromIndex(const char *str, int nStart);
void ReplaceOwnedString(char **pSlot, char *strNew);
char *ReplaceEveryChar(char *str, int ch, char chReplacement);
char *EnsureTrailingChar(char *str, int ch);
char *StripTrailingChar(char *str, int ch);

#endif
