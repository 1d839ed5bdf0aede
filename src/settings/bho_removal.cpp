// Removal of browser integration: the helper library removes each browser's entry when it can;
// whatever it did not remove is deleted here directly.
#include "settings/bho_removal.h"

#include <windows.h>
#include <cstdlib>

#include "launch/trace.h"
#include "settings/settings.h"

static const char EXPLORER_BHO_PATH[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
static const char EXPLORER_BHO_CLSID[] = "{3C9A41E7-5D20-4B8F-9A16-7E0D2C4B8A53}";
static const char NETSCAPE_PROTOCOLS_PATH[] =
    "Software\\Netscape\\Netscape Navigator\\Automation Protocols";
static const char NETSCAPE_FTP_VALUE[] = "ftp";
static const char NETSCAPE_OUR_HANDLER[] = "Norrbeck.NetscapeFtpHandler";

typedef int(WINAPI *REMOVE_BHO_KEY_PROC)(void);

// Calls one export of the helper library; true when it reports the entry gone (result 0).
static bool CallRemoveExport(HMODULE hLib, const char *strExport, const char *strMissingTrace)
{
    REMOVE_BHO_KEY_PROC pfnRemove =
        reinterpret_cast<REMOVE_BHO_KEY_PROC>(reinterpret_cast<void *>(GetProcAddress(hLib, strExport)));
    if (!pfnRemove) {
        TraceMsg(strMissingTrace);
        return false;
    }
    return pfnRemove() == 0;
}

void RemoveBho()
{
    bool bExplorerDone = false;
    bool bNetscapeDone = false;

    HMODULE hLib = LoadLibraryA("plimsby.dll");
    if (!hLib) {
        TraceMsg("RemoveBho: Failed to LoadLibrary plimsby.dll");
    } else {
        bExplorerDone = CallRemoveExport(hLib, "RemoveExplorerBhoKey",
                                         "RemoveBho: Failed to Find RemoveExplorerBhoKey in plimsby.dll");
        bNetscapeDone = CallRemoveExport(hLib, "RemoveNetscapeBhoKey",
                                         "RemoveBho: Failed to Find RemoveNetscapeBhoKey in plimsby.dll");
        FreeLibrary(hLib);
    }
    if (!bExplorerDone)
        DeleteExplorerBhoEntry();
    if (!bNetscapeDone)
        DeleteNetscapeFtpHandler();
}

void DeleteExplorerBhoEntry()
{
    HKEY hKey = OpenSettingsKey(HKEY_LOCAL_MACHINE, EXPLORER_BHO_PATH, KEY_WRITE);
    if (!hKey)
        return;
    RegDeleteKeyA(hKey, EXPLORER_BHO_CLSID);
    RegCloseKey(hKey);
}

void DeleteNetscapeFtpHandler()
{
    // Probe with read access first: a user who may not read the key gets nothing written.
    HKEY hKey = OpenSettingsKey(HKEY_CURRENT_USER, NETSCAPE_PROTOCOLS_PATH, KEY_READ);
    if (!hKey)
        return;
    RegCloseKey(hKey);

    // Write access alone cannot read the value back to see whose handler it names.
    hKey = OpenSettingsKey(HKEY_CURRENT_USER, NETSCAPE_PROTOCOLS_PATH, KEY_READ | KEY_WRITE);
    if (!hKey)
        return;
    char *strHandler = RegReadStringCopy(hKey, NETSCAPE_FTP_VALUE);
    if (strHandler && lstrcmpiA(strHandler, NETSCAPE_OUR_HANDLER) == 0)
        RegDeleteValueA(hKey, NETSCAPE_FTP_VALUE);
    RegCloseKey(hKey);
    free(strHandler);
}
