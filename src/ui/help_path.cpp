// Builds the help file's path from the program's own path.
#include "ui/help_path.h"

#include <cstring>

bool BuildHelpPath(const char *strModulePath, char *strPath, size_t nCapacity)
{
    if (nCapacity == 0)
        return false;
    strPath[0] = '\0';
    // A plain byte search is enough: the program's own file name is plain ASCII, so the last 0x5C
    // byte is the real separator even when a folder name holds double-byte characters.
    const char *pLastSlash = strrchr(strModulePath, '\\');
    size_t nDirLength = pLastSlash ? static_cast<size_t>(pLastSlash - strModulePath) + 1 : 0;
    size_t nNameLength = strlen(HELP_FILE_NAME);
    if (nDirLength + nNameLength >= nCapacity)
        return false;
    memcpy(strPath, strModulePath, nDirLength);
    memcpy(strPath + nDirLength, HELP_FILE_NAME, nNameLength + 1);
    return true;
}
