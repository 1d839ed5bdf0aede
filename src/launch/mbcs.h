// Lead-byte test, character step and comparison for the system's ANSI code page.
// On Windows they use the run-time's multibyte table (msvcrt _mbs*); elsewhere an equivalent
// table that tests can switch between single-byte and code page 932.
#ifndef FTPLINK_MBCS_H
#define FTPLINK_MBCS_H

bool IsLeadByte(unsigned char ch);

// True when the byte may stand second in a double-byte character of the current code page.
bool IsTrailByte(unsigned char ch);

// Steps over one character. A lead byte directly followed by the terminator counts as one
// byte, so no walk ever passes the end of the text.
const char *NextChar(const char *str);

// Multibyte comparison of whole texts: 0 when equal, like _mbscmp / _mbsicmp.
int CompareText(const char *strA, const char *strB, bool bIgnoreCase);

// Switches the lead-byte table (0 or 1252: single-byte; 932: Japanese). For tests.
void UseCodePageForTests(unsigned nCodePage);

#endif
