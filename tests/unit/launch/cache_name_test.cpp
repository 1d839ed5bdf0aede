// The cache file name: safe names from hostile path segments, base(n).ext with the last-'.'
// rule, and the bounds on length and copy number; existence comes from a fake set of paths.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>
#include <string>

#include "launch/cache_name.h"
#include "unit/launch/code_page.h"
#include "unit/launch/safe_name_check.h"

static const char CACHE_DIR[] = "C:\\Temp\\ftpurls\\";

static bool InFakeSet(const char *strPath, void *pContext)
{
    return static_cast<std::set<std::string> *>(pContext)->count(strPath) != 0;
}

// The name chosen for strRemotePath after each earlier choice was made to exist.
static std::vector<std::string> ChooseSeveral(const char *strRemotePath, int nCount,
                                              const char *strDir = CACHE_DIR)
{
    std::set<std::string> existing;
    std::vector<std::string> names;
    for (int i = 0; i < nCount; ++i) {
        char strLocalFile[CACHE_PATH_CAP];
        EXPECT_TRUE(ChooseCacheFileName(strDir, strRemotePath, strLocalFile, InFakeSet, &existing));
        EXPECT_EQ(strncmp(strLocalFile, strDir, strlen(strDir)), 0);
        names.push_back(strLocalFile + strlen(strDir));
        existing.insert(strLocalFile);
    }
    return names;
}

TEST(CacheName, UniqueNamesKeepTheExtension)
{
    struct Row {
        const char *strRemotePath;
        std::vector<std::string> names;
    } rows[] = {
        {"pub/file.zip", {"file.zip", "file(1).zip", "file(2).zip"}},
        {"archive.tar.gz", {"archive.tar.gz", "archive.tar(1).gz"}},
        {"README", {"README", "README(1)"}},
        {"x/.profile", {".profile", ".profile(1)"}},
        {"a..b", {"a..b", "a.(1).b"}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ChooseSeveral(row.strRemotePath, static_cast<int>(row.names.size())), row.names)
            << row.strRemotePath;
}

TEST(CacheName, SafeNames)
{
    struct Row {
        const char *strRemotePath, *strName;
    } rows[] = {
        {"pub/", "download"},
        {"", "download"},
        {"..", "download"},
        {"pub/..", "download"},
        {"...", "download"},
        {". . .", "download"},
        {"a.b.", "a.b"},
        {"name. ", "name"},
        {"..\\..\\windows\\win.ini", ".._.._windows_win.ini"},
        {"C:\\boot.ini", "C__boot.ini"},
        {"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
        {"tab\there\r\n\x7f", "tab_here___"},
        {"file.txt::$DATA", "file.txt__$DATA"},
        {"CON", "_CON"},
        {"con.txt", "_con.txt"},
        {"Nul.tar.gz", "_Nul.tar.gz"},
        {"aux .x", "_aux .x"},
        {"COM1", "_COM1"},
        {"lpt9.log", "_lpt9.log"},
        {"COM\xB9", "_COM\xB9"},
        {"CONOUT$", "_CONOUT$"},
        {"COM10", "COM10"},
        {"CONSOLE.txt", "CONSOLE.txt"},
        {"\xe9t\xe9.txt", "\xe9t\xe9.txt"},
    };
    for (const Row &row : rows) {
        std::string strName = MakeSafeCacheName(row.strRemotePath);
        EXPECT_EQ(strName, row.strName) << row.strRemotePath;
        EXPECT_EQ(SafeNameFault(strName), "") << row.strRemotePath;
    }
}

TEST(CacheName, SafeNameCopies)
{
    EXPECT_EQ(ChooseSeveral("a.b.", 2), (std::vector<std::string>{"a.b", "a(1).b"}));
    EXPECT_EQ(ChooseSeveral("pub/", 2), (std::vector<std::string>{"download", "download(1)"}));
    EXPECT_EQ(ChooseSeveral("PRN", 2), (std::vector<std::string>{"_PRN", "_PRN(1)"}));
}

TEST(CacheName, LongNamesAreCutToFit)
{
    std::string strDir = std::string("C:\\") + std::string(100, 'd') + "\\ftpurls\\";
    std::string strLongExt = "x." + std::string(400, 'e');
    std::string strLongBase = std::string(400, 'b') + ".txt";
    std::string strBlanks = "n" + std::string(300, ' ') + "z";
    for (const std::string &strPath : {strLongExt, strLongBase, strBlanks}) {
        std::vector<std::string> names = ChooseSeveral(strPath.c_str(), 3, strDir.c_str());
        for (const std::string &strName : names) {
            EXPECT_LE(strDir.size() + strName.size(), 259u) << strName;
            EXPECT_EQ(SafeNameFault(strName), "") << strName;
        }
        EXPECT_NE(names[0], names[1]);
    }
    EXPECT_EQ(ChooseSeveral(strLongBase.c_str(), 1, strDir.c_str())[0].substr(0, 3), "bbb");
    std::string strKept = ChooseSeveral(strLongBase.c_str(), 1, strDir.c_str())[0];
    EXPECT_EQ(strKept.substr(strKept.size() - 4), ".txt") << "the extension survives the cut";
    EXPECT_EQ(ChooseSeveral(strBlanks.c_str(), 1, strDir.c_str())[0], "n") << "no trailing blanks after a cut";
    EXPECT_EQ(ChooseSeveral(("NUL" + std::string(300, ' ') + "z").c_str(), 1, strDir.c_str())[0], "_NUL")
        << "a cut that leaves a device name";
}

TEST(CacheName, RefusesWhenNothingFits)
{
    std::set<std::string> existing;
    char strLocalFile[CACHE_PATH_CAP] = "stale";
    std::string strDir = "C:\\" + std::string(240, 'd') + "\\";
    EXPECT_FALSE(ChooseCacheFileName(strDir.c_str(), "a.txt", strLocalFile, InFakeSet, &existing));
    EXPECT_STREQ(strLocalFile, "");
}

static bool AlwaysExists(const char *, void *pContext)
{
    ++*static_cast<int *>(pContext);
    return true;
}

TEST(CacheName, FullCacheEndsTheSearch)
{
    int nCalls = 0;
    char strLocalFile[CACHE_PATH_CAP];
    EXPECT_FALSE(ChooseCacheFileName(CACHE_DIR, "a.txt", strLocalFile, AlwaysExists, &nCalls));
    EXPECT_EQ(nCalls, CACHE_MAX_COPY + 1);
    EXPECT_STREQ(strLocalFile, "");
}

TEST(CacheName, PurgeAgeBoundary)
{
    const int64_t nNow = 133000000000000000LL;
    EXPECT_FALSE(IsPurgeAge(nNow, nNow - CACHE_PURGE_AGE)) << "exactly three days stays";
    EXPECT_TRUE(IsPurgeAge(nNow, nNow - CACHE_PURGE_AGE - 1)) << "100 ns older goes";
    EXPECT_FALSE(IsPurgeAge(nNow, nNow + 10000000)) << "a creation time in the future stays";
    EXPECT_FALSE(IsPurgeAge(nNow, nNow));
    EXPECT_TRUE(IsPurgeAge(nNow, 0));
}

using CacheNameJapanese = CodePage932;

TEST_F(CacheNameJapanese, DoubleByteNamesStayIntact)
{
    struct Row {
        const char *strRemotePath, *strName;
    } rows[] = {
        {"pub/" DB_TRAIL_BACKSLASH ".txt", DB_TRAIL_BACKSLASH ".txt"},
        {"pub/" DB_TRAIL_BAR DB_TRAIL_BACKSLASH, DB_TRAIL_BAR DB_TRAIL_BACKSLASH},
        {"pub/x\x81/y", "x__y"},
        {"pub/a\x95", "a_"},
        {"pub/" DB_TRAIL_AT ".", DB_TRAIL_AT},
    };
    for (const Row &row : rows) {
        std::string strName = MakeSafeCacheName(row.strRemotePath);
        EXPECT_EQ(strName, row.strName) << row.strRemotePath;
        EXPECT_EQ(SafeNameFault(strName), "") << row.strRemotePath;
    }
    EXPECT_EQ(ChooseSeveral("pub/" DB_TRAIL_BACKSLASH "." DB_TRAIL_BAR, 2),
              (std::vector<std::string>{DB_TRAIL_BACKSLASH "." DB_TRAIL_BAR, DB_TRAIL_BACKSLASH "(1)." DB_TRAIL_BAR}));
}

TEST_F(CacheNameJapanese, CutKeepsWholeCharacters)
{
    std::string strDir = "C:\\" + std::string(100, 'd') + "\\";
    std::string strPath = "a";
    for (int i = 0; i < 200; ++i)
        strPath += DB_TRAIL_BACKSLASH;
    std::vector<std::string> names = ChooseSeveral(strPath.c_str(), 2, strDir.c_str());
    for (const std::string &strName : names) {
        EXPECT_EQ(SafeNameFault(strName), "") << strName;
        EXPECT_LE(strDir.size() + strName.size(), 259u);
    }
}
