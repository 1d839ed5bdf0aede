// The cache on the file system: directories made beneath TMP, unique names, the purge ages.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "launch/cache.h"
#include "launch/cache_name.h"
#include "launch/request.h"
#include "wine/launch/scratch_dir.h"

using CacheGlue = ScratchTemp;

static bool IsDirectory(const std::string &strPath)
{
    DWORD nAttributes = GetFileAttributesA(strPath.c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

static void TouchFile(const std::string &strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << strPath;
    CloseHandle(hFile);
}

TEST_F(CacheGlue, NamesInsideTheCacheFolderBeneathTemp)
{
    std::string strCache = strScratch + "ftpurls\\";
    EXPECT_EQ(std::string(MakeCacheFileName("pub/file.zip")), strCache + "file.zip");
    EXPECT_EQ(std::string(DownloadRequest.strTempDir), strScratch);
    EXPECT_EQ(std::string(DownloadRequest.strCacheDir), strCache);
    EXPECT_TRUE(IsDirectory(strCache));
    EXPECT_EQ(GetFileAttributesA(DownloadRequest.strLocalFile), INVALID_FILE_ATTRIBUTES) << "no file is created";

    TouchFile(strCache + "file.zip");
    EXPECT_EQ(std::string(MakeCacheFileName("pub/file.zip")), strCache + "file(1).zip");
    CreateDirectoryA((strCache + "file(1).zip").c_str(), nullptr);
    EXPECT_EQ(std::string(MakeCacheFileName("file.zip")), strCache + "file(2).zip") << "a folder occupies a name";
    EXPECT_EQ(std::string(MakeCacheFileName("../../evil.exe")), strCache + "evil.exe");
    EXPECT_EQ(std::string(MakeCacheFileName("..\\..\\evil.exe")), strCache + ".._.._evil.exe");
    EXPECT_EQ(std::string(MakeCacheFileName("CON")), strCache + "_CON");
}

TEST_F(CacheGlue, TempWithoutTrailingBackslashAndMissingParent)
{
    std::string strTemp = strScratch + "t";
    MakeCacheFileNameIn(strTemp.c_str(), "a.txt");
    EXPECT_TRUE(IsDirectory(strTemp)) << "made without the backslash";
    EXPECT_EQ(std::string(DownloadRequest.strTempDir), strTemp + "\\") << "stored with it";
    EXPECT_TRUE(IsDirectory(strTemp + "\\ftpurls"));

    std::string strDeep = strScratch + "missing\\deeper";
    UseTempPath(strDeep);
    EXPECT_EQ(std::string(MakeCacheFileName("a.txt")), strDeep + "\\ftpurls\\a.txt")
        << "the name is computed even when the folders cannot be made";
    EXPECT_FALSE(IsDirectory(strScratch + "missing"));
}

TEST_F(CacheGlue, TooLongPathsGetNoName)
{
    std::string strLong = strScratch + std::string(REQ_DIR_CAP - 9 - strScratch.size(), 'x');
    EXPECT_STREQ(MakeCacheFileNameIn(strLong.c_str(), "a.txt"), "");
    EXPECT_STREQ(DownloadRequest.strTempDir, "");
    EXPECT_STREQ(DownloadRequest.strCacheDir, "");

    std::string strFits = strScratch + std::string(240 - strScratch.size(), 'y');
    EXPECT_STREQ(MakeCacheFileNameIn(strFits.c_str(), "a.txt"), "") << "no room for a name below 260";
    EXPECT_EQ(std::string(DownloadRequest.strCacheDir), strFits + "\\ftpurls\\");
    EXPECT_FALSE(DirectoryExists((strScratch + std::string(300, 'z')).c_str()));
}

TEST_F(CacheGlue, ExistenceTests)
{
    std::string strFile = strScratch + "f.txt";
    TouchFile(strFile);
    EXPECT_TRUE(DirectoryExists(strScratch.c_str())) << "one trailing backslash is removed";
    EXPECT_TRUE(DirectoryExists(strScratch.substr(0, strScratch.size() - 1).c_str()));
    EXPECT_FALSE(DirectoryExists(strFile.c_str()));
    EXPECT_FALSE(DirectoryExists((strScratch + "none").c_str()));
    EXPECT_TRUE(PathExists(strFile.c_str()));
    EXPECT_FALSE(PathExists((strScratch + "none").c_str()));
    EXPECT_TRUE(AslEnsureDirectoryExists((strScratch + "new").c_str()));
    EXPECT_TRUE(IsDirectory(strScratch + "new"));
    EXPECT_TRUE(AslEnsureDirectoryExists((strScratch + "new").c_str()));
    EXPECT_FALSE(AslEnsureDirectoryExists((strScratch + "no\\parent").c_str()));
    EXPECT_FALSE(AslEnsureDirectoryExists(strFile.c_str())) << "a file is not a folder";
}

class CachePurge : public ScratchTemp {
protected:
    static constexpr long long NOW = 133500000000000000LL;
    std::string strCache;

    void SetUp() override
    {
        ScratchTemp::SetUp();
        MakeCacheFileName("x");
        strCache = DownloadRequest.strCacheDir;
        ASSERT_TRUE(CreateFileWithTime(strCache + "limit.txt", NOW - CACHE_PURGE_AGE));
        ASSERT_TRUE(CreateFileWithTime(strCache + "older.txt", NOW - CACHE_PURGE_AGE - 1));
        ASSERT_TRUE(CreateFileWithTime(strCache + "future.txt", NOW + 10000000));
        ASSERT_TRUE(CreateFileWithTime(strCache + "old dir", 0, true));
        ASSERT_TRUE(CreateFileWithTime(strCache + "readonly.txt", 0));
        SetFileAttributesA((strCache + "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }

    bool Exists(const char *strName) { return PathExists((strCache + strName).c_str()); }
};

TEST_F(CachePurge, DeletesOnlyFilesOlderThanThreeDays)
{
    PurgeCacheDirectoryAt(NOW);
    EXPECT_TRUE(Exists("limit.txt")) << "exactly three days stays";
    EXPECT_FALSE(Exists("older.txt")) << "100 ns older is deleted";
    EXPECT_TRUE(Exists("future.txt"));
    EXPECT_TRUE(Exists("old dir")) << "folders survive";
    EXPECT_TRUE(Exists("readonly.txt")) << "read-only files are refused";
}

TEST_F(CachePurge, EmptyCacheDirTouchesNothing)
{
    DownloadRequest.strCacheDir[0] = '\0';
    PurgeCacheDirectoryAt(NOW * 2);
    EXPECT_TRUE(Exists("older.txt"));
    EXPECT_TRUE(Exists("limit.txt"));
}

TEST_F(CachePurge, WithSystemTimeKeepsNewFiles)
{
    HANDLE hFile = CreateFileA((strCache + "fresh.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    CloseHandle(hFile);
    PurgeCacheDirectory();
    EXPECT_TRUE(Exists("fresh.txt"));
    EXPECT_FALSE(Exists("older.txt"));
    EXPECT_FALSE(Exists("limit.txt")) << "this far in the past everything old goes";
}
