// Writes and removes HKCU\Software\Classes\ftp, the per-user entry through which the shell and
// browsers start a program for ftp: URLs.
#include "url_handler.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "handler_command.h"
#include "launch/heap_text.h"

static const char FTP_CLASS_KEY[] = "Software\\Classes\\ftp";
static const char OPEN_COMMAND_KEY[] = "shell\\open\\command";

static LONG SetTextValue(const char *strKey, const char *strName, const char *strValue)
{
    HKEY hKey = nullptr;
    LONG nError = RegCreateKeyExA(HKEY_CURRENT_USER, strKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    if (nError != ERROR_SUCCESS)
        return nError;
    nError = RegSetValueExA(hKey, strName, 0, REG_SZ, reinterpret_cast<const BYTE *>(strValue),
                            static_cast<DWORD>(strlen(strValue) + 1));
    RegCloseKey(hKey);
    return nError;
}

// The default value of a key as heap text; null when missing or not text.
static char *ReadDefaultText(HKEY hParent, const char *strSubKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hParent, strSubKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return nullptr;
    DWORD dwType = 0;
    DWORD nSize = 0;
    char *strValue = nullptr;
    if (RegQueryValueExA(hKey, nullptr, nullptr, &dwType, nullptr, &nSize) == ERROR_SUCCESS &&
        (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        // One byte more than reported: a stored value need not end with its terminator.
        strValue = static_cast<char *>(calloc(nSize + 1, 1));
        if (strValue && RegQueryValueExA(hKey, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(strValue),
                                         &nSize) != ERROR_SUCCESS) {
            free(strValue);
            strValue = nullptr;
        }
    }
    RegCloseKey(hKey);
    return strValue;
}

static HandlerResult Fail(LONG nError, unsigned long *pdwError)
{
    *pdwError = static_cast<unsigned long>(nError);
    return HANDLER_FAILED;
}

HandlerResult RegisterFtpHandler(const char *strExePath, unsigned long *pdwError)
{
    HeapText strCommand(BuildOpenCommand(strExePath));
    HeapText strIcon(BuildIconLocation(strExePath));
    if (!strCommand.Get() || !strIcon.Get())
        return Fail(ERROR_NOT_ENOUGH_MEMORY, pdwError);
    struct Entry {
        const char *strKey;
        const char *strName;
        const char *strValue;
    };
    const Entry entries[] = {
        {FTP_CLASS_KEY, nullptr, "URL:File Transfer Protocol"},
        {FTP_CLASS_KEY, "URL Protocol", ""},
        {"Software\\Classes\\ftp\\DefaultIcon", nullptr, strIcon.Get()},
        {"Software\\Classes\\ftp\\shell\\open\\command", nullptr, strCommand.Get()},
    };
    for (const Entry &entry : entries) {
        LONG nError = SetTextValue(entry.strKey, entry.strName, entry.strValue);
        if (nError != ERROR_SUCCESS)
            return Fail(nError, pdwError);
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return HANDLER_DONE;
}

static bool CommandStartsProgram(const char *strCommand, const char *strExePath)
{
    HeapText strProgram(CopyCommandProgram(strCommand));
    return strProgram.Get() && lstrcmpiA(strProgram.Get(), strExePath) == 0;
}

// Takes away our keys from the innermost out. A key that still holds another program's subkeys
// (a verb of its own, say) refuses deletion and stays; only the command key must go.
static HandlerResult RemoveOurKeys(HKEY hFtp, unsigned long *pdwError)
{
    LONG nError = RegDeleteKeyA(hFtp, OPEN_COMMAND_KEY);
    if (nError != ERROR_SUCCESS)
        return Fail(nError, pdwError);
    RegDeleteKeyA(hFtp, "shell\\open");
    RegDeleteKeyA(hFtp, "shell");
    RegDeleteKeyA(hFtp, "DefaultIcon");
    // Whatever stays behind must no longer claim to be the ftp: protocol.
    RegDeleteValueA(hFtp, "URL Protocol");
    RegDeleteValueA(hFtp, nullptr);
    return HANDLER_DONE;
}

HandlerResult UnregisterFtpHandler(const char *strExePath, unsigned long *pdwError)
{
    HKEY hFtp = nullptr;
    LONG nError = RegOpenKeyExA(HKEY_CURRENT_USER, FTP_CLASS_KEY, 0, KEY_READ | KEY_WRITE, &hFtp);
    if (nError == ERROR_FILE_NOT_FOUND)
        return HANDLER_ABSENT;
    if (nError != ERROR_SUCCESS)
        return Fail(nError, pdwError);
    HeapText strCommand(ReadDefaultText(hFtp, OPEN_COMMAND_KEY));
    HandlerResult result = HANDLER_NOT_OURS;
    if (strCommand.Get() && CommandStartsProgram(strCommand.Get(), strExePath))
        result = RemoveOurKeys(hFtp, pdwError);
    RegCloseKey(hFtp);
    if (result == HANDLER_DONE) {
        RegDeleteKeyA(HKEY_CURRENT_USER, FTP_CLASS_KEY);
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
    return result;
}
