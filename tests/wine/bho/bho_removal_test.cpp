// Switching browser integration off, against the registry: which entries the program deletes
// itself, depending on the helper library's presence and results.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/bho_removal.h"

namespace {

const char EXPLORER_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{3C9A41E7-5D20-4B8F-9A16-7E0D2C4B8A53}";
const char NETSCAPE_KEY[] = "Software\\Netscape\\Netscape Navigator\\Automation Protocols";

void PlantExplorerEntry()
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, EXPLORER_KEY, 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &hKey, nullptr));
    RegCloseKey(hKey);
}

void PlantNetscapeValue(const char *strHandler)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, NETSCAPE_KEY, 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, "ftp", 0, REG_SZ, reinterpret_cast<const BYTE *>(strHandler),
                   lstrlenA(strHandler) + 1);
    RegCloseKey(hKey);
}

bool ExplorerEntryExists()
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EXPLORER_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool NetscapeValueExists()
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, NETSCAPE_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    bool bExists = RegQueryValueExA(hKey, "ftp", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bExists;
}

void SetLibraryResults(int nExplorer, int nNetscape)
{
    char strValue[16];
    wsprintfA(strValue, "%d", nExplorer);
    SetEnvironmentVariableA("FTPLINK_FAKE_EXPLORER_RESULT", strValue);
    wsprintfA(strValue, "%d", nNetscape);
    SetEnvironmentVariableA("FTPLINK_FAKE_NETSCAPE_RESULT", strValue);
}

struct REMOVAL_CASE {
    const char *strName;
    int nExplorerResult;
    int nNetscapeResult;
    const char *strNetscapeHandler;
    bool bExplorerLeft;
    bool bNetscapeLeft;
};

#ifdef FTPLINK_TEST_WITH_FAKE_LIBRARY
// The fake library removes nothing itself: whatever disappears was deleted by the program.
const REMOVAL_CASE REMOVAL_CASES[] = {
    {"library removed both: program touches neither", 0, 0, "Norrbeck.NetscapeFtpHandler", true, true},
    {"library failed Explorer only", 1, 0, "Norrbeck.NetscapeFtpHandler", false, true},
    {"library failed Netscape only", 0, 7, "Norrbeck.NetscapeFtpHandler", true, false},
    {"library failed both, value in capitals", 1, 1, "NORRBECK.NETSCAPEFTPHANDLER", false, false},
    {"library failed both, value names another handler", 1, 1, "Other.FtpHandler", false, true},
};
#else
// No library beside the program: both direct deletions run.
const REMOVAL_CASE REMOVAL_CASES[] = {
    {"no library, our handler", 0, 0, "Norrbeck.NetscapeFtpHandler", false, false},
    {"no library, another handler", 0, 0, "Other.FtpHandler", false, true},
};
#endif

TEST(RemoveBho, DeletesWhatTheLibraryDidNotRemove)
{
    for (const REMOVAL_CASE &c : REMOVAL_CASES) {
        SCOPED_TRACE(c.strName);
        PlantExplorerEntry();
        PlantNetscapeValue(c.strNetscapeHandler);
        SetLibraryResults(c.nExplorerResult, c.nNetscapeResult);

        RemoveBho();

        EXPECT_EQ(c.bExplorerLeft, ExplorerEntryExists());
        EXPECT_EQ(c.bNetscapeLeft, NetscapeValueExists());
    }
}

} // namespace
