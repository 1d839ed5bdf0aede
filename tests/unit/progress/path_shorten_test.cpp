// Path shortening: every step of six example paths, the lone-separator cases, double-byte text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "launch/mbcs.h"
#include "progress/path_shorten.h"

// Every form ShortenPathOnce produces from strPath, in order, until no step applies.
static std::vector<std::string> AllForms(const char *strPath)
{
    std::vector<std::string> forms;
    char *strText = strdup(strPath);
    while (ShortenPathOnce(&strText) && forms.size() < 64)
        forms.emplace_back(strText);
    EXPECT_STREQ(strText, forms.empty() ? strPath : forms.back().c_str());
    free(strText);
    return forms;
}

using Forms = std::vector<std::string>;

TEST(ShortenPathOnce, WorkedExamplesTakeEveryStepInOrder)
{
    struct {
        const char *strPath;
        Forms forms;
    } cases[] = {
        {"C:\\Program Files\\Downloads\\Archive\\Reports\\Annual\\summary.zip",
         {"C:\\Program Files\\Downloads\\...\\Reports\\Annual\\summary.zip",
          "C:\\Program Files\\Downloads\\...\\Annual\\summary.zip",
          "C:\\Program Files\\...\\Annual\\summary.zip",
          "C:\\Program Files\\...\\summary.zip",
          "C:\\...\\summary.zip"}},
        {"C:\\WINDOWS\\TEMP\\ftpurls\\readme.txt",
         {"C:\\WINDOWS\\...\\ftpurls\\readme.txt", "C:\\WINDOWS\\...\\readme.txt",
          "C:\\...\\readme.txt"}},
        {"C:\\a\\b\\c\\file.txt",
         {"C:\\a\\...\\c\\file.txt", "C:\\a\\...\\file.txt", "C:\\...\\file.txt"}},
        {"C:\\verylongfilename.txt", {"...\\verylongfilename.txt"}},
        {"/pub/a/b", {"/pub/.../b", "/.../b"}},
        {"C:\\dir...\\sub\\x\\file.txt", {"C:\\dir...\\x\\file.txt", "C:\\dir...\\file.txt"}},
        {"C:/mixed\\seps/file", {"C:/mixed\\.../file", "C:/.../file"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AllForms(c.strPath), c.forms) << c.strPath;
}

TEST(ShortenPathOnce, LeavesTextWithoutSeparatorsOrWithOnlyALeadingOne)
{
    for (const char *strPath : {"", "readme.txt", "\\readme.txt", "/", "...", "a...b"})
        EXPECT_EQ(AllForms(strPath), Forms{}) << strPath;
}

TEST(ShortenPathOnce, LengthensByAtMostThreeAndAlwaysTerminates)
{
    // Components of one character: the middle step adds two, the result stays within L + 3.
    const char *strPath = "\\a\\b\\c\\d\\e\\f\\g";
    char *strText = strdup(strPath);
    size_t nPrevious = strlen(strText);
    int nSteps = 0;
    while (ShortenPathOnce(&strText)) {
        EXPECT_LE(strlen(strText), nPrevious + 3) << strText;
        nPrevious = strlen(strText);
        ++nSteps;
    }
    EXPECT_LE(nSteps, 8);   // at most one step more than the separators
    EXPECT_STREQ(strText, "\\...\\g");
    free(strText);
}

TEST(PathSteps, RefuseWhenTheirSeparatorsAreMissing)
{
    char *strText = strdup("C:\\a...\\b");
    EXPECT_EQ(DropComponentAfterEllipsis(&strText, 9, 4), 0);        // only one separator after
    EXPECT_EQ(DropComponentBeforeEllipsis(&strText, 9, 4, 1), 0);    // no separator number -1
    EXPECT_EQ(ElideBetweenSeparators(&strText, 9, 1, 2), 0);
    EXPECT_STREQ(strText, "C:\\a...\\b");
    EXPECT_EQ(ElideBeforeFirstSeparator(&strText, 9), 2);
    EXPECT_STREQ(strText, "...\\a...\\b");
    free(strText);
}

// Code page 932 text: U+30BD (katakana so, 83 5C) and U+8868 (95 5C) end in the byte of '\'.
#define SO "\x83\x5C"
#define HYOU "\x95\x5C"

class ShortenPathOnce932 : public ::testing::Test {
protected:
    void SetUp() override { UseCodePageForTests(932); }
    void TearDown() override { UseCodePageForTests(0); }
};

TEST_F(ShortenPathOnce932, TrailBytesAreNeitherCountedNorUsedAsSeparators)
{
    struct {
        const char *strPath;
        Forms forms;
    } cases[] = {
        // One real separator: the name survives whole.
        {"C:\\" SO HYOU ".txt", {"...\\" SO HYOU ".txt"}},
        {SO HYOU SO, {}},
        {"C:\\" SO "\\" HYOU "\\" SO "\\f.txt",
         {"C:\\" SO "\\...\\" SO "\\f.txt", "C:\\" SO "\\...\\f.txt", "C:\\...\\f.txt"}},
        // Double-byte characters before an ellipsis: Before counts bytes up to it, not characters.
        {"C:\\" SO SO SO SO "\\...\\x\\y\\f",
         {"C:\\" SO SO SO SO "\\...\\y\\f", "C:\\" SO SO SO SO "\\...\\f", "C:\\...\\f"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AllForms(c.strPath), c.forms) << c.strPath;
}

TEST_F(ShortenPathOnce932, ALeadByteTakesTheFirstDotOfAnEllipsis)
{
    // A lead byte takes the first dot as its second byte: the two dots left are no ellipsis.
    EXPECT_EQ(AllForms("C:\\d\x89...\\f"), Forms{"C:\\...\\f"});
}
