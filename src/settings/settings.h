// The two per-user settings and the registry routines beneath them.
#ifndef FTPLINK_SETTINGS_H
#define FTPLINK_SETTINGS_H

#include <windows.h>

constexpr int SETTINGS_KEY_LEVELS_MAX = 18;
extern const char SETTINGS_KEY_PATH[];   // "Software\Norrbeck\Tessaloft\Browser Integration"

HKEY OpenSettingsKey(HKEY hRoot, const char *strPath, REGSAM nAccess);
HKEY CreateOrOpenKey(HKEY hParent, const char *strName, REGSAM nAccess);
LONG RegReadString(HKEY hKey, const char *strName, char *strBuffer, DWORD *pnSize);
char *RegReadStringCopy(HKEY hKey, const char *strName);
DWORD RegReadDword(HKEY hKey, const char *strName);
BOOL RegWriteDword(HKEY hKey, const char *strName, DWORD nValue);

char *ReadInitialDir(char *strBuffer, DWORD nSize);
void WriteInitialDir(const char *strFolder);
int ReadCloseDialog();
void WriteCloseDialog(int bFlag);

#endif
