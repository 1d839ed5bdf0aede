// The move of a download from the cache to the chosen place and its time stamp from MDTM.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "download/completion.h"

namespace {

class CompletionFiles : public ::testing::Test {
protected:
    std::string strDir;
    std::string strCache;
    std::string strSave;

    void SetUp() override
    {
        char strTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, strTemp);
        strDir = std::string(strTemp) + "ftplink-completion-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(strDir.c_str(), nullptr);
        strCache = strDir + "\\cache.bin";
        strSave = strDir + "\\saved.bin";
    }
    void TearDown() override
    {
        DeleteFileA(strCache.c_str());
        DeleteFileA(strSave.c_str());
        RemoveDirectoryA(strDir.c_str());
    }

    static void WriteFile(const std::string &strPath, const std::string &strContent)
    {
        HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        DWORD dwWritten = 0;
        ::WriteFile(hFile, strContent.data(), static_cast<DWORD>(strContent.size()), &dwWritten, nullptr);
        CloseHandle(hFile);
    }
    static std::string ReadFile(const std::string &strPath)
    {
        HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return "<missing>";
        char buf[256];
        DWORD dwRead = 0;
        ::ReadFile(hFile, buf, sizeof buf, &dwRead, nullptr);
        CloseHandle(hFile);
        return std::string(buf, dwRead);
    }
    static bool Exists(const std::string &strPath)
    {
        return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Last-write and last-access times of the file.
    static void Times(const std::string &strPath, FILETIME *pWrite, FILETIME *pAccess)
    {
        WIN32_FILE_ATTRIBUTE_DATA info;
        ASSERT_TRUE(GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &info));
        *pWrite = info.ftLastWriteTime;
        *pAccess = info.ftLastAccessTime;
    }
    static FILETIME Utc(WORD wYear, WORD wMonth, WORD wDay, WORD wHour, WORD wMinute, WORD wSecond)
    {
        SYSTEMTIME st = {wYear, wMonth, 0, wDay, wHour, wMinute, wSecond, 0};
        FILETIME ft;
        SystemTimeToFileTime(&st, &ft);
        return ft;
    }
};

bool operator==(const FILETIME &a, const FILETIME &b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

TEST_F(CompletionFiles, MoveGivesTheSavedFileTheServerTime)
{
    const FILETIME ftExpected = Utc(2001, 2, 3, 4, 5, 6);
    const char *const MOD_TIMES[] = {"20010203040506", "20010203040506.789"};
    for (const char *strModTime : MOD_TIMES) {
        WriteFile(strCache, "downloaded");
        EXPECT_EQ(MoveDownloadToSavePath(strCache.c_str(), strSave.c_str(), strModTime), SAVE_MOVED) << strModTime;
        EXPECT_FALSE(Exists(strCache)) << strModTime;
        // Times first: reading the file moves its access time.
        FILETIME ftWrite, ftAccess;
        Times(strSave, &ftWrite, &ftAccess);
        EXPECT_TRUE(ftWrite == ftExpected) << strModTime;
        EXPECT_TRUE(ftAccess == ftExpected) << strModTime;
        EXPECT_EQ(ReadFile(strSave), "downloaded") << strModTime;
        DeleteFileA(strSave.c_str());
    }
}

TEST_F(CompletionFiles, TimeThatNamesNoDateLeavesTheFileTimes)
{
    const char *const MOD_TIMES[] = {"20011303040506", "20010200040506", "", "garbage"};
    const FILETIME ftNever = Utc(2001, 2, 3, 4, 5, 6);
    for (const char *strModTime : MOD_TIMES) {
        WriteFile(strCache, "x");
        FILETIME ftBefore, ftIgnored;
        Times(strCache, &ftBefore, &ftIgnored);
        EXPECT_EQ(MoveDownloadToSavePath(strCache.c_str(), strSave.c_str(), strModTime), SAVE_MOVED) << strModTime;
        FILETIME ftWrite, ftAccess;
        Times(strSave, &ftWrite, &ftAccess);
        EXPECT_TRUE(ftWrite == ftBefore) << strModTime;
        EXPECT_FALSE(ftWrite == ftNever) << strModTime;
        DeleteFileA(strSave.c_str());
    }
}

TEST_F(CompletionFiles, MoveReplacesAFileTheUserAgreedToReplace)
{
    WriteFile(strSave, "old content of the user's file");
    WriteFile(strCache, "new download");
    EXPECT_EQ(MoveDownloadToSavePath(strCache.c_str(), strSave.c_str(), "20200101000000"), SAVE_MOVED);
    EXPECT_EQ(ReadFile(strSave), "new download");
    FILETIME ftWrite, ftAccess;
    Times(strSave, &ftWrite, &ftAccess);
    EXPECT_TRUE(ftWrite == Utc(2020, 1, 1, 0, 0, 0));
}

TEST_F(CompletionFiles, FailedMoveKeepsTheDownloadAndTouchesNothingElse)
{
    WriteFile(strCache, "the only copy");
    std::string strNowhere = strDir + "\\missing-folder\\saved.bin";
    EXPECT_EQ(MoveDownloadToSavePath(strCache.c_str(), strNowhere.c_str(), "20010203040506"), SAVE_MOVE_FAILED);
    EXPECT_EQ(ReadFile(strCache), "the only copy");
}

TEST_F(CompletionFiles, NoSavePathMovesNothing)
{
    WriteFile(strCache, "stays");
    EXPECT_EQ(MoveDownloadToSavePath(strCache.c_str(), "", "20010203040506"), SAVE_NOTHING);
    EXPECT_EQ(ReadFile(strCache), "stays");
}

TEST_F(CompletionFiles, StampOfAMissingFileFails)
{
    EXPECT_FALSE(StampServerTime((strDir + "\\absent.bin").c_str(), "20010203040506"));
}

} // namespace
