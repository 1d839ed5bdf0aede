// plimsby.dll: the browser-helper library. Switching integration off removes the product's
// browser entries: the Explorer helper object's key and the Netscape ftp protocol value.
#include <windows.h>

static const char EXPLORER_BHO_PATH[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{3C9A41E7-5D20-4B8F-9A16-7E0D2C4B8A53}";
static const char NETSCAPE_PROTOCOLS_PATH[] =
    "Software\\Netscape\\Netscape Navigator\\Automation Protocols";
static const char NETSCAPE_OUR_HANDLER[] = "Norrbeck.NetscapeFtpHandler";

// 0 when the helper object's key no longer exists.
extern "C" int WINAPI RemoveExplorerBhoKey(void)
{
    LONG nResult = RegDeleteKeyA(HKEY_LOCAL_MACHINE, EXPLORER_BHO_PATH);
    if (nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND)
        return 0;
    return 1;
}

// 0 when no "ftp" protocol value names our handler any more; another handler's value is kept.
extern "C" int WINAPI RemoveNetscapeBhoKey(void)
{
    HKEY hKey;
    LONG nResult = RegOpenKeyExA(HKEY_CURRENT_USER, NETSCAPE_PROTOCOLS_PATH, 0,
                                 KEY_QUERY_VALUE | KEY_SET_VALUE, &hKey);
    if (nResult == ERROR_FILE_NOT_FOUND)
        return 0;
    if (nResult != ERROR_SUCCESS)
        return 1;

    char strValue[512] = "";
    DWORD nSize = sizeof strValue - 1;
    DWORD nType = 0;
    int nOutcome = 0;
    nResult = RegQueryValueExA(hKey, "ftp", nullptr, &nType, reinterpret_cast<BYTE *>(strValue), &nSize);
    if (nResult == ERROR_SUCCESS && nType == REG_SZ && lstrcmpiA(strValue, NETSCAPE_OUR_HANDLER) == 0)
        nOutcome = RegDeleteValueA(hKey, "ftp") == ERROR_SUCCESS ? 0 : 1;
    RegCloseKey(hKey);
    return nOutcome;
}
