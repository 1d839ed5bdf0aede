// Splitting of a registry key path into its levels.
#include "settings/key_path.h"

#include <cstring>

#include "launch/strutil.h"

bool TakeKeyLevel(const char **pPath, char *strLevel, size_t nCap)
{
    const char *strPath = *pPath;
    if (strPath == nullptr || strPath[0] == '\0')
        return false;
    int nBackslash = IndexOfChar(strPath, '\\');
    size_t nLength = nBackslash < 0 ? strlen(strPath) : size_t(nBackslash);
    if (nLength >= nCap)
        return false;
    memcpy(strLevel, strPath, nLength);
    strLevel[nLength] = '\0';
    *pPath = nBackslash < 0 ? nullptr : strPath + nBackslash + 1;
    return true;
}
