// The default extension for Save As: after the last dot, cut to whole characters within 9 bytes.
#include <gtest/gtest.h>

#include <iterator>

#include "download/save_name.h"
#include "launch/mbcs.h"

struct EXT_CASE {
    const char *strName;
    bool bFound;
    const char *strExt;
};

static void CheckCases(const EXT_CASE *pCases, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i) {
        char strExt[DEFAULT_EXT_CAP] = "stale";
        EXPECT_EQ(FindDefaultExtension(pCases[i].strName, strExt, sizeof strExt), pCases[i].bFound)
            << pCases[i].strName;
        EXPECT_STREQ(strExt, pCases[i].strExt) << pCases[i].strName;
    }
}

TEST(FindDefaultExtension, TakesTheTextAfterTheLastDot)
{
    const EXT_CASE cases[] = {
        {"archive.tar.gz", true, "gz"},
        {"README", false, ""},
        {"a.abcdefghijkl", true, "abcdefghi"},
        {"a.abcdefghi", true, "abcdefghi"},
        {"file.", true, ""},
        {".profile", true, "profile"},
        {"", false, ""},
    };
    CheckCases(cases, std::size(cases));
}

TEST(FindDefaultExtension, NullNameAndTinyBuffer)
{
    char strExt[DEFAULT_EXT_CAP] = "stale";
    EXPECT_FALSE(FindDefaultExtension(nullptr, strExt, sizeof strExt));
    EXPECT_STREQ(strExt, "");
    char strTiny[3];
    EXPECT_TRUE(FindDefaultExtension("x.abcdef", strTiny, sizeof strTiny));
    EXPECT_STREQ(strTiny, "ab");
}

class FindDefaultExtension932 : public ::testing::Test {
protected:
    void SetUp() override { UseCodePageForTests(932); }
    void TearDown() override { UseCodePageForTests(0); }
};

TEST_F(FindDefaultExtension932, NeverSplitsOrMistakesADoubleByteCharacter)
{
    const EXT_CASE cases[] = {
        // 8 single bytes then a double-byte character: only 8 bytes fit whole.
        {"a.abcdefgh\x83\x5C", true, "abcdefgh"},
        {"a.\x83\x5C\x83\x5C", true, "\x83\x5C\x83\x5C"},
        // A lead byte followed by the byte of '.' is one character, not a dot.
        {"name\x89.x", false, ""},
        {"a.b\x89.x", true, "b\x89.x"},
    };
    CheckCases(cases, std::size(cases));
}
