// The default extension that the Save As dialog appends to a name typed without one.
#include "download/save_name.h"

#include <cstring>

#include "launch/mbcs.h"
#include "launch/strutil.h"

bool FindDefaultExtension(const char *strName, char *strExt, size_t nCap)
{
    if (nCap == 0)
        return false;
    strExt[0] = '\0';
    if (strName == nullptr)
        return false;
    int nDot = IndexOfLastChar(strName, '.');
    if (nDot < 0)
        return false;
    const char *strFrom = strName + nDot + 1;
    size_t nLimit = nCap - 1 < DEFAULT_EXT_CAP - 1 ? nCap - 1 : DEFAULT_EXT_CAP - 1;
    // Whole characters only: a cut inside a double-byte character would leave a lone lead byte.
    const char *pEnd = strFrom;
    while (*pEnd) {
        const char *pNext = NextChar(pEnd);
        if (size_t(pNext - strFrom) > nLimit)
            break;
        pEnd = pNext;
    }
    memcpy(strExt, strFrom, size_t(pEnd - strFrom));
    strExt[pEnd - strFrom] = '\0';
    return true;
}
