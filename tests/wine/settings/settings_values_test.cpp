// The two settings in their real key: first run, round trips, the stored forms.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "settings/settings.h"

class Settings : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH); }

    static LONG Query(const char *strName, DWORD *pnType, BYTE *pData, DWORD *pnBytes)
    {
        HKEY hKey;
        LONG nStatus = RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &hKey);
        if (nStatus != ERROR_SUCCESS)
            return nStatus;
        nStatus = RegQueryValueExA(hKey, strName, nullptr, pnType, pData, pnBytes);
        RegCloseKey(hKey);
        return nStatus;
    }
    static void SetDword(const char *strName, DWORD nValue)
    {
        HKEY hKey;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &hKey, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(hKey, strName, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&nValue), 4);
        RegCloseKey(hKey);
    }
};

TEST_F(Settings, KeyPathIsTheProductsBrowserIntegrationKey)
{
    EXPECT_STREQ(SETTINGS_KEY_PATH, "Software\\Norrbeck\\Tessaloft\\Browser Integration");
}

TEST_F(Settings, FirstRunReadsDefaultsAndClosingStoresZero)
{
    EXPECT_EQ(ReadCloseDialog(), 0);
    char strDir[1024] = "stale";
    EXPECT_STREQ(ReadInitialDir(strDir, sizeof strDir), "");

    WriteCloseDialog(0);
    DWORD nType = 0, nValue = 99, nBytes = sizeof nValue;
    ASSERT_EQ(Query("CloseDialog", &nType, reinterpret_cast<BYTE *>(&nValue), &nBytes), ERROR_SUCCESS);
    EXPECT_EQ(nType, DWORD(REG_DWORD));
    EXPECT_EQ(nValue, 0u);
}

TEST_F(Settings, AnyNonzeroCloseDialogCountsAndWritesStoreOne)
{
    SetDword("CloseDialog", 5);
    EXPECT_EQ(ReadCloseDialog(), 1);
    WriteCloseDialog(7);
    DWORD nValue = 0, nBytes = sizeof nValue;
    ASSERT_EQ(Query("CloseDialog", nullptr, reinterpret_cast<BYTE *>(&nValue), &nBytes), ERROR_SUCCESS);
    EXPECT_EQ(nValue, 1u);
    WriteCloseDialog(0);
    EXPECT_EQ(ReadCloseDialog(), 0);
}

TEST_F(Settings, InitialDirIsStoredWithItsTerminatorAndCutToTheBuffer)
{
    WriteInitialDir("C:");
    DWORD nType = 0, nBytes = 16;
    char strRaw[16] = "";
    ASSERT_EQ(Query("InitialDir", &nType, reinterpret_cast<BYTE *>(strRaw), &nBytes), ERROR_SUCCESS);
    EXPECT_EQ(nType, DWORD(REG_SZ));
    EXPECT_EQ(nBytes, 3u);
    EXPECT_STREQ(strRaw, "C:");

    WriteInitialDir("C:\\Downloads");
    char strDir[1024];
    EXPECT_STREQ(ReadInitialDir(strDir, sizeof strDir), "C:\\Downloads");
    char strSmall[5];
    ReadInitialDir(strSmall, sizeof strSmall);
    EXPECT_EQ(strSmall[4], '\0');
    EXPECT_LT(strlen(strSmall), sizeof strSmall);
}
