// Registry routines beneath the settings: a key path opened level by level, string and
// 32-bit value reads, 32-bit value writes.
#include "settings/settings.h"

#include "launch/strutil.h"
#include "settings/key_path.h"

constexpr DWORD STRING_COPY_CAP = 4096;

HKEY CreateOrOpenKey(HKEY hParent, const char *strName, REGSAM nAccess)
{
    if (hParent == nullptr)
        return nullptr;
    HKEY hKey = nullptr;
    LONG nStatus = RegCreateKeyExA(hParent, NullToEmpty(strName), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, nAccess, nullptr, &hKey, nullptr);
    return nStatus == ERROR_SUCCESS ? hKey : nullptr;
}

HKEY OpenSettingsKey(HKEY hRoot, const char *strPath, REGSAM nAccess)
{
    if (strPath == nullptr)
        return CreateOrOpenKey(hRoot, nullptr, nAccess);
    HKEY hCurrent = hRoot;
    int nLevel = 0;
    const char *strRest = strPath;
    while (strRest != nullptr && strRest[0] != '\0') {
        char strLevel[KEY_LEVEL_NAME_MAX + 1];
        HKEY hNext = nullptr;
        // A level name too long for any registry key fails like a level that cannot be opened.
        if (TakeKeyLevel(&strRest, strLevel, sizeof strLevel) &&
            ++nLevel <= SETTINGS_KEY_LEVELS_MAX)
            hNext = CreateOrOpenKey(hCurrent, strLevel, nAccess);
        if (hCurrent != hRoot)
            RegCloseKey(hCurrent);
        hCurrent = hNext;
        if (hCurrent == nullptr)
            break;
    }
    if (hCurrent != hRoot)
        return hCurrent;
    return CreateOrOpenKey(hRoot, nullptr, nAccess);
}

LONG RegReadString(HKEY hKey, const char *strName, char *strBuffer, DWORD *pnSize)
{
    DWORD nCap = *pnSize;
    if (nCap == 0)
        return ERROR_MORE_DATA;   // not even room for the terminator
    strBuffer[0] = '\0';
    DWORD nBytes = nCap;
    LONG nStatus = RegQueryValueExA(hKey, strName, nullptr, nullptr,
                                    reinterpret_cast<BYTE *>(strBuffer), &nBytes);
    if (nStatus == ERROR_MORE_DATA) {
        strBuffer[nCap - 1] = '\0';
        *pnSize = nBytes;
    } else if (nStatus == ERROR_SUCCESS) {
        // A value stored without its terminator (or of another type) must still read as
        // terminated text within the buffer.
        strBuffer[nBytes < nCap ? nBytes : nCap - 1] = '\0';
    }
    return nStatus;
}

char *RegReadStringCopy(HKEY hKey, const char *strName)
{
    char strBuffer[STRING_COPY_CAP];
    DWORD nSize = sizeof strBuffer;
    RegReadString(hKey, strName, strBuffer, &nSize);
    return CopyString(strBuffer);
}

DWORD RegReadDword(HKEY hKey, const char *strName)
{
    DWORD nValue = 0;
    DWORD nBytes = sizeof nValue;
    if (RegQueryValueExA(hKey, strName, nullptr, nullptr, reinterpret_cast<BYTE *>(&nValue),
                         &nBytes) != ERROR_SUCCESS)
        return 0;
    return nValue;
}

BOOL RegWriteDword(HKEY hKey, const char *strName, DWORD nValue)
{
    return RegSetValueExA(hKey, strName, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&nValue),
                          sizeof nValue) == ERROR_SUCCESS;
}
