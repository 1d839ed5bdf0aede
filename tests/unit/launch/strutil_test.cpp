// The text utilities at their edges: null and empty text, searches that find nothing,
// lengths out of range, and double-byte characters whose trail byte looks like a separator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "launch/heap_text.h"
#include "launch/strutil.h"
#include "unit/launch/code_page.h"

TEST(StrUtil, NullAndEmpty)
{
    EXPECT_STREQ(NullToEmpty(nullptr), "");
    const char *str = "x";
    EXPECT_EQ(NullToEmpty(str), str);
    EXPECT_EQ(NullToEmpty(nullptr), NullToEmpty(nullptr)) << "one shared empty text";
    EXPECT_FALSE(IsNonEmpty(nullptr));
    EXPECT_FALSE(IsNonEmpty(""));
    EXPECT_TRUE(IsNonEmpty(" "));
}

TEST(StrUtil, StringsEqualTable)
{
    struct Row {
        const char *strA, *strB;
        bool bIgnoreCase, bNullAsEmpty, bExpected;
    } rows[] = {
        {nullptr, nullptr, false, false, true},
        {nullptr, "", false, false, false},
        {"", nullptr, false, false, false},
        {"", "", false, false, true},
        {nullptr, "", false, true, true},
        {"", nullptr, true, true, true},
        {nullptr, "a", false, true, false},
        {"", "a", false, false, false},
        {"a", nullptr, false, false, false},
        {"ab", "AB", false, false, false},
        {"ab", "AB", true, false, true},
        {"ab", "ab", false, true, true},
        {"ab", "abc", true, true, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(StringsEqual(row.strA, row.strB, row.bIgnoreCase, row.bNullAsEmpty), row.bExpected)
            << (row.strA ? row.strA : "(null)") << " vs " << (row.strB ? row.strB : "(null)")
            << " ignore case " << row.bIgnoreCase << " null as empty " << row.bNullAsEmpty;
    }
}

TEST(StrUtil, CountCharsInSet)
{
    EXPECT_EQ(CountCharsInSet("a/b/c", "/", 0), 0u);
    EXPECT_EQ(CountCharsInSet("a/b/c", "/", 2), 1u);
    EXPECT_EQ(CountCharsInSet("a/b/c", "/", 100), 2u);
    EXPECT_EQ(CountCharsInSet("a/b/c", "/", static_cast<unsigned>(-1)), 2u);
    EXPECT_EQ(CountCharsInSet("a/b:c", "/:", static_cast<unsigned>(-1)), 2u);
    EXPECT_EQ(CountCharsInSet("", "/", static_cast<unsigned>(-1)), 0u);
    EXPECT_EQ(CountCharsInSet("abc", "", static_cast<unsigned>(-1)), 0u);
}

TEST(StrUtil, FindNthCharInSet)
{
    const char str[] = "a/b:c/d";
    EXPECT_EQ(FindNthCharInSet(str, "/:", 0), str + 1);
    EXPECT_EQ(FindNthCharInSet(str, "/:", 1), str + 3);
    EXPECT_EQ(FindNthCharInSet(str, "/:", 2), str + 5);
    EXPECT_EQ(FindNthCharInSet(str, "/:", 3), nullptr);
    EXPECT_EQ(FindNthCharInSet("", "/", 0), nullptr);
}

TEST(StrUtil, IndexSearches)
{
    struct Row {
        const char *str;
        int ch;
        int nFirst, nLast;
    } rows[] = {
        {"user.host", '@', -1, -1},
        {":abc", ':', 0, 0},
        {"a/b/c", '/', 1, 3},
        {"abc", 0, 3, 3},
        {"", 'a', -1, -1},
        {"a@b", '@' + 0x100, 1, 1},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(IndexOfChar(row.str, row.ch), row.nFirst) << row.str << " " << row.ch;
        EXPECT_EQ(IndexOfLastChar(row.str, row.ch), row.nLast) << row.str << " " << row.ch;
    }
    EXPECT_EQ(IndexOfAnyChar("host:21/x", "/:"), 4);
    EXPECT_EQ(IndexOfAnyChar("host", "/:"), -1);
}

static void ExpectCopy(char *strCopy, const char *strExpected, const char *strWhat)
{
    HeapText text(strCopy);
    if (!strExpected)
        EXPECT_EQ(text.Get(), nullptr) << strWhat;
    else
        EXPECT_STREQ(text.Get(), strExpected) << strWhat;
}

TEST(StrUtil, HeapCopies)
{
    ExpectCopy(CopyLeft("abc", 5), "abc", "CopyLeft n above length");
    ExpectCopy(CopyLeft("abc", 2), "ab", "CopyLeft n = 2");
    ExpectCopy(CopyLeft("abc", 0), "", "CopyLeft n = 0");
    ExpectCopy(CopyLeft("abc", -1), nullptr, "CopyLeft n = -1");
    ExpectCopy(CopyLeft(nullptr, 3), nullptr, "CopyLeft of null");
    ExpectCopy(CopyString("abc"), "abc", "CopyString");
    ExpectCopy(CopyString(""), "", "CopyString of empty");
    ExpectCopy(CopyString(nullptr), nullptr, "CopyString of null");
    ExpectCopy(CopyFromIndex("abc", 1), "bc", "CopyFromIndex 1");
    ExpectCopy(CopyFromIndex("abc", 3), "", "CopyFromIndex at length");
    ExpectCopy(CopyFromIndex("abc", 4), nullptr, "CopyFromIndex past length");
    ExpectCopy(CopyFromIndex("abc", -1), nullptr, "CopyFromIndex -1");
    ExpectCopy(CopyFromIndex(nullptr, 0), nullptr, "CopyFromIndex of null");
}

TEST(StrUtil, ReplaceOwnedString)
{
    char *strSlot = CopyString("old");
    ReplaceOwnedString(&strSlot, CopyString("new"));
    EXPECT_STREQ(strSlot, "new");
    ReplaceOwnedString(&strSlot, nullptr);
    EXPECT_EQ(strSlot, nullptr);
    ReplaceOwnedString(&strSlot, nullptr);
    EXPECT_EQ(strSlot, nullptr);
}

TEST(StrUtil, ReplaceEveryCharSplitsFilterList)
{
    char strFilter[] = "All files (*.*)|*.*|";
    char *pEnd = ReplaceEveryChar(strFilter, '|', '\0');
    EXPECT_EQ(pEnd, strFilter + sizeof strFilter - 1);
    EXPECT_STREQ(strFilter, "All files (*.*)");
    EXPECT_STREQ(strFilter + strlen(strFilter) + 1, "*.*");
    EXPECT_EQ(ReplaceEveryChar(nullptr, '|', '\0'), nullptr);

    char strPath[] = "a/b/c";
    ReplaceEveryChar(strPath, '/', '\\');
    EXPECT_STREQ(strPath, "a\\b\\c");
}

TEST(StrUtil, TrailingChar)
{
    struct Row {
        const char *strIn, *strEnsured, *strStripped;
    } rows[] = {
        {"C:\\TEMP", "C:\\TEMP\\", "C:\\TEMP"},
        {"C:\\TEMP\\", "C:\\TEMP\\", "C:\\TEMP"},
        {"C:\\TEMP\\\\", "C:\\TEMP\\\\", "C:\\TEMP\\"},
        {"", "", ""},
        {"\\", "\\", ""},
    };
    for (const Row &row : rows) {
        char strBuf[32];
        strcpy(strBuf, row.strIn);
        EXPECT_EQ(EnsureTrailingChar(strBuf, '\\'), strBuf);
        EXPECT_STREQ(strBuf, row.strEnsured) << "ensure on " << row.strIn;
        strcpy(strBuf, row.strIn);
        EXPECT_EQ(StripTrailingChar(strBuf, '\\'), strBuf);
        EXPECT_STREQ(strBuf, row.strStripped) << "strip on " << row.strIn;
    }
    EXPECT_EQ(EnsureTrailingChar(nullptr, '\\'), nullptr);
    EXPECT_EQ(StripTrailingChar(nullptr, '\\'), nullptr);
}

using StrUtilJapanese = CodePage932;

TEST_F(StrUtilJapanese, TrailBytesAreNotSearchedCharacters)
{
    const char str[] = "ab" DB_TRAIL_BACKSLASH DB_TRAIL_BAR DB_TRAIL_AT;
    EXPECT_EQ(IndexOfChar(str, '\\'), -1);
    EXPECT_EQ(IndexOfLastChar(str, '|'), -1);
    EXPECT_EQ(IndexOfChar(str, '@'), -1);
    EXPECT_EQ(IndexOfAnyChar(str, "\\|@"), -1);
    EXPECT_EQ(CountCharsInSet(str, "\\|@", static_cast<unsigned>(-1)), 0u);
    EXPECT_EQ(CountCharsInSet(str, "b", 2), 1u) << "n counts characters";
    EXPECT_EQ(CountCharsInSet(DB_TRAIL_BAR "|", "|", 1), 0u) << "the first character is two bytes";

    const char strMixed[] = DB_TRAIL_BACKSLASH "\\x" DB_TRAIL_BACKSLASH "\\";
    EXPECT_EQ(IndexOfChar(strMixed, '\\'), 2);
    EXPECT_EQ(IndexOfLastChar(strMixed, '\\'), 6);
}

TEST_F(StrUtilJapanese, EditsKeepDoubleByteCharacters)
{
    char strList[] = DB_TRAIL_BAR "|" DB_TRAIL_BAR;
    ReplaceEveryChar(strList, '|', '\0');
    EXPECT_STREQ(strList, DB_TRAIL_BAR);
    EXPECT_STREQ(strList + 3, DB_TRAIL_BAR);

    char strDir[8] = DB_TRAIL_BACKSLASH;
    EnsureTrailingChar(strDir, '\\');
    EXPECT_STREQ(strDir, DB_TRAIL_BACKSLASH "\\") << "a trail byte is not a trailing backslash";
    StripTrailingChar(strDir, '\\');
    EXPECT_STREQ(strDir, DB_TRAIL_BACKSLASH);
    StripTrailingChar(strDir, '\\');
    EXPECT_STREQ(strDir, DB_TRAIL_BACKSLASH) << "the trail byte stays";
}

TEST_F(StrUtilJapanese, LoneLeadByteEndsEveryWalk)
{
    // A byte-counted cut leaves a lead byte before the terminator; a heap copy places it
    // at the very end of its block, so a walk past it is an overrun under the sanitizer.
    HeapText text(CopyLeft(DB_TRAIL_BACKSLASH DB_TRAIL_BACKSLASH, 3));
    char *str = text.str;
    ASSERT_EQ(strlen(str), 3u);
    EXPECT_EQ(IndexOfChar(str, 'x'), -1);
    EXPECT_EQ(IndexOfChar(str, 0), 3);
    EXPECT_EQ(IndexOfLastChar(str, 'x'), -1);
    EXPECT_EQ(CountCharsInSet(str, "x", static_cast<unsigned>(-1)), 0u);
    EXPECT_EQ(FindNthCharInSet(str, "x", 0), nullptr);
    EXPECT_EQ(ReplaceEveryChar(str, 'x', 'y'), str + 3);
    StripTrailingChar(str, '\\');
    EXPECT_EQ(strlen(str), 3u);
    EXPECT_TRUE(StringsEqual(str, str, true, false));
}
