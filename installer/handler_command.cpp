// Builds and reads the texts of the ftp: handler entry; plain text work, testable anywhere.
#include "handler_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static char *FormatWithPath(const char *strFormat, const char *strExePath, size_t nExtra)
{
    size_t nSize = strlen(strExePath) + nExtra + 1;
    char *strOut = static_cast<char *>(malloc(nSize));
    if (strOut)
        snprintf(strOut, nSize, strFormat, strExePath);
    return strOut;
}

char *BuildOpenCommand(const char *strExePath)
{
    return FormatWithPath("\"%s\" %%1", strExePath, sizeof("\"\" %1") - 1);
}

char *BuildIconLocation(const char *strExePath)
{
    return FormatWithPath("%s,0", strExePath, sizeof(",0") - 1);
}

// Neither a quote nor a blank is ever the second byte of a double-byte character, so the
// command can be scanned byte by byte.
char *CopyCommandProgram(const char *strCommand)
{
    const char *pStart = strCommand;
    while (*pStart == ' ' || *pStart == '\t')
        ++pStart;
    const char *pEnd = nullptr;
    if (*pStart == '"') {
        ++pStart;
        pEnd = strchr(pStart, '"');
        if (!pEnd)
            return nullptr;
    } else {
        pEnd = pStart + strcspn(pStart, " \t");
    }
    size_t nLen = static_cast<size_t>(pEnd - pStart);
    if (nLen == 0)
        return nullptr;
    char *strOut = static_cast<char *>(malloc(nLen + 1));
    if (!strOut)
        return nullptr;
    memcpy(strOut, pStart, nLen);
    strOut[nLen] = '\0';
    return strOut;
}
