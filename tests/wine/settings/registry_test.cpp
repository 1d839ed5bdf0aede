// Key paths opened level by level and the value routines, under a key that only tests use.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "launch/heap_text.h"
#include "settings/settings.h"

static const char TEST_ROOT[] = "Software\\ftplink-tests\\settings";

class Registry : public ::testing::Test {
protected:
    HKEY hTest = nullptr;

    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_ROOT);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TEST_ROOT, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &hTest, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(hTest);
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_ROOT);
    }
    static std::string Levels(int nCount)
    {
        std::string strPath;
        for (int i = 1; i <= nCount; ++i)
            strPath += (i > 1 ? "\\L" : "L") + std::to_string(i);
        return strPath;
    }
    bool Exists(const std::string &strPath)
    {
        HKEY hKey;
        if (RegOpenKeyExA(hTest, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }
    void SetRaw(const char *strName, DWORD nType, const void *pData, DWORD nBytes)
    {
        ASSERT_EQ(RegSetValueExA(hTest, strName, 0, nType, static_cast<const BYTE *>(pData), nBytes),
                  ERROR_SUCCESS);
    }
};

TEST_F(Registry, EighteenLevelsAreWalkedAndNineteenAreRefused)
{
    HKEY hKey = OpenSettingsKey(hTest, Levels(18).c_str(), KEY_WRITE);
    ASSERT_NE(hKey, nullptr);
    EXPECT_TRUE(RegWriteDword(hKey, "Depth", 18));
    RegCloseKey(hKey);
    EXPECT_TRUE(Exists(Levels(18)));

    EXPECT_EQ(OpenSettingsKey(hTest, Levels(19).c_str(), KEY_WRITE), nullptr);
    EXPECT_FALSE(Exists(Levels(19)));

    hKey = OpenSettingsKey(hTest, Levels(18).c_str(), KEY_READ);
    ASSERT_NE(hKey, nullptr);
    EXPECT_EQ(RegReadDword(hKey, "Depth"), 18u);
    RegCloseKey(hKey);
}

TEST_F(Registry, EmptyOrMissingPathGivesAFreshHandleToTheRoot)
{
    for (const char *strPath : {"", static_cast<const char *>(nullptr)}) {
        HKEY hKey = OpenSettingsKey(hTest, strPath, KEY_ALL_ACCESS);
        ASSERT_NE(hKey, nullptr);
        EXPECT_NE(hKey, hTest);
        EXPECT_TRUE(RegWriteDword(hKey, "AtRoot", 7));
        RegCloseKey(hKey);
        EXPECT_EQ(RegReadDword(hTest, "AtRoot"), 7u);   // the root handle is still open
    }
    EXPECT_EQ(OpenSettingsKey(nullptr, "a\\b", KEY_READ), nullptr);
    EXPECT_EQ(CreateOrOpenKey(nullptr, "a", KEY_READ), nullptr);
}

TEST_F(Registry, AnUnopenableLevelOrOverlongNameYieldsNull)
{
    // A key name has at most 255 characters: the registry refuses the second level.
    std::string strRefused(300, 'r');
    EXPECT_EQ(OpenSettingsKey(hTest, ("New\\" + strRefused + "\\Level").c_str(), KEY_WRITE), nullptr);
    EXPECT_TRUE(Exists("New"));
    // Longer than any level name: refused before the registry is asked.
    std::string strLong(2000, 'k');
    EXPECT_EQ(OpenSettingsKey(hTest, ("a\\" + strLong + "\\b").c_str(), KEY_WRITE), nullptr);
}

TEST_F(Registry, DwordsReadBackAndOtherTypesReadAsRawBytes)
{
    EXPECT_TRUE(RegWriteDword(hTest, "Five", 5));
    EXPECT_EQ(RegReadDword(hTest, "Five"), 5u);
    EXPECT_EQ(RegReadDword(hTest, "Missing"), 0u);
    SetRaw("Text", REG_SZ, "ab", 3);
    EXPECT_EQ(RegReadDword(hTest, "Text"), 0x6261u);
    unsigned long long nWide = 0x100000001ull;
    SetRaw("Wide", REG_QWORD, &nWide, sizeof nWide);
    EXPECT_EQ(RegReadDword(hTest, "Wide"), 0u);
}

TEST_F(Registry, StringsThatDoNotFitAreCutAndReportTheirSize)
{
    SetRaw("Long", REG_SZ, "abcdefghij", 11);
    char strBuffer[5];
    memset(strBuffer, 'x', sizeof strBuffer);
    DWORD nSize = sizeof strBuffer;
    EXPECT_EQ(RegReadString(hTest, "Long", strBuffer, &nSize), ERROR_MORE_DATA);
    EXPECT_EQ(nSize, 11u);
    EXPECT_EQ(strBuffer[4], '\0');
    EXPECT_LT(strlen(strBuffer), sizeof strBuffer);

    char strRoom[32];
    nSize = sizeof strRoom;
    EXPECT_EQ(RegReadString(hTest, "Long", strRoom, &nSize), ERROR_SUCCESS);
    EXPECT_STREQ(strRoom, "abcdefghij");
    EXPECT_EQ(nSize, sizeof strRoom);   // left as it was on success

    nSize = sizeof strRoom;
    strcpy(strRoom, "stale");
    EXPECT_EQ(RegReadString(hTest, "Missing", strRoom, &nSize), ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(strRoom, "");
}

TEST_F(Registry, UnterminatedDataStillReadsAsTerminatedText)
{
    SetRaw("Bytes3", REG_BINARY, "abc", 3);
    SetRaw("Bytes8", REG_BINARY, "abcdefgh", 8);
    char strBuffer[8];
    memset(strBuffer, 'x', sizeof strBuffer);
    DWORD nSize = sizeof strBuffer;
    EXPECT_EQ(RegReadString(hTest, "Bytes3", strBuffer, &nSize), ERROR_SUCCESS);
    EXPECT_STREQ(strBuffer, "abc");
    memset(strBuffer, 'x', sizeof strBuffer);
    EXPECT_EQ(RegReadString(hTest, "Bytes8", strBuffer, &nSize), ERROR_SUCCESS);
    EXPECT_STREQ(strBuffer, "abcdefg");
}

TEST_F(Registry, StringCopyIsEmptyWhenMissingAndTerminatedWhenTooLong)
{
    HeapText strMissing(RegReadStringCopy(hTest, "Missing"));
    ASSERT_NE(strMissing.Get(), nullptr);
    EXPECT_STREQ(strMissing.Get(), "");

    std::string strHuge(5000, 'h');
    SetRaw("Huge", REG_SZ, strHuge.c_str(), DWORD(strHuge.size() + 1));
    HeapText strCopy(RegReadStringCopy(hTest, "Huge"));
    ASSERT_NE(strCopy.Get(), nullptr);
    // Whether a value that does not fit leaves part of itself is the platform's affair.
    EXPECT_LT(strlen(strCopy.Get()), 4096u);

    SetRaw("Dir", REG_SZ, "C:\\Downloads", 13);
    HeapText strDir(RegReadStringCopy(hTest, "Dir"));
    EXPECT_STREQ(strDir.Get(), "C:\\Downloads");
}
