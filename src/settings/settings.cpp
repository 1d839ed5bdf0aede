// The two per-user settings: close the download dialog when done, and the Save As folder.
#include "settings/settings.h"

#include <cstring>

extern const char SETTINGS_KEY_PATH[] = "Software\\Norrbeck\\Tessaloft\\Browser Integration";

static const char VALUE_INITIAL_DIR[] = "InitialDir";
static const char VALUE_CLOSE_DIALOG[] = "CloseDialog";

char *ReadInitialDir(char *strBuffer, DWORD nSize)
{
    if (nSize == 0)
        return strBuffer;
    strBuffer[0] = '\0';
    HKEY hKey = OpenSettingsKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, KEY_READ);
    if (hKey == nullptr)
        return strBuffer;
    RegReadString(hKey, VALUE_INITIAL_DIR, strBuffer, &nSize);
    RegCloseKey(hKey);
    return strBuffer;
}

void WriteInitialDir(const char *strFolder)
{
    if (strFolder == nullptr)
        return;
    HKEY hKey = OpenSettingsKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, KEY_WRITE);
    if (hKey == nullptr)
        return;
    RegSetValueExA(hKey, VALUE_INITIAL_DIR, 0, REG_SZ, reinterpret_cast<const BYTE *>(strFolder),
                   DWORD(strlen(strFolder) + 1));
    RegCloseKey(hKey);
}

int ReadCloseDialog()
{
    HKEY hKey = OpenSettingsKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, KEY_READ);
    if (hKey == nullptr)
        return 0;
    DWORD nValue = RegReadDword(hKey, VALUE_CLOSE_DIALOG);
    RegCloseKey(hKey);
    return nValue != 0 ? 1 : 0;
}

void WriteCloseDialog(int bFlag)
{
    HKEY hKey = OpenSettingsKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, KEY_WRITE);
    if (hKey == nullptr)
        return;
    RegWriteDword(hKey, VALUE_CLOSE_DIALOG, bFlag != 0 ? 1 : 0);
    RegCloseKey(hKey);
}
