// The URL codec: escape decoding within capacity, the textual split, and the rebuild.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "launch/heap_text.h"
#include "launch/urlcodec.h"
#include "unit/launch/code_page.h"

static std::string Decode(const char *strSource, size_t nCapacity = 64)
{
    std::string strDest(nCapacity + 8, '#');
    DecodeUrlEscapes(&strDest[0], strSource, nCapacity);
    EXPECT_EQ(strDest.substr(nCapacity), std::string(8, '#')) << "wrote past the capacity";
    return strDest.substr(0, strDest.find('\0'));
}

TEST(UrlDecode, OnlyDoublePercentAndBlank)
{
    struct Row {
        const char *strIn, *strOut;
    } rows[] = {
        {"ftp://host/a%20b.txt", "ftp://host/a b.txt"},
        {"ftp://host/a%25b.txt", "ftp://host/a%25b.txt"},
        {"%%", "%"},
        {"%%20", "%20"},
        {"%2F%3A%40+", "%2F%3A%40+"},
        {"a%", "a%"},
        {"a%2", "a%2"},
        {"%20%20", "  "},
        {"%%%", "%%"},
        {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Decode(row.strIn), row.strOut) << row.strIn;
    EXPECT_EQ(Decode(nullptr), "");
}

TEST(UrlDecode, CutsWithinCapacity)
{
    EXPECT_EQ(Decode("abcdef", 4), "abc");
    EXPECT_EQ(Decode("ab%20cd", 4), "ab ");
    EXPECT_EQ(Decode("abc%%", 4), "abc");
    EXPECT_EQ(Decode("abc", 1), "");
    char chGuard = '#';
    DecodeUrlEscapes(&chGuard, "abc", 0);
    EXPECT_EQ(chGuard, '#') << "capacity 0 writes nothing";
    std::string strLong(5000, 'x');
    EXPECT_EQ(Decode(strLong.c_str(), 4096), std::string(4095, 'x'));
}

using UrlDecodeJapanese = CodePage932;

TEST_F(UrlDecodeJapanese, DoubleByteCharactersStayWhole)
{
    // A '%' taken as the second byte of a character starts no escape, and a cut never
    // keeps half a character.
    EXPECT_EQ(Decode("\x81\x93%20"), "\x81\x93 ");
    EXPECT_EQ(Decode("\x81%20"), "\x81%20");
    EXPECT_EQ(Decode("ab" DB_TRAIL_BAR, 4), "ab");
    HeapText text(static_cast<char *>(malloc(2)));
    text.str[0] = '\x95';
    text.str[1] = '\0';
    EXPECT_EQ(Decode(text.str), "\x95") << "a lone lead byte is copied and the walk stops";
}

struct SplitRow {
    const char *strUrl, *strHost, *strUserId, *strPassword;
    int nPort;
    const char *strPath, *strFileName;
};

static void ExpectPart(const char *strGot, const char *strWanted, const char *strUrl, const char *strPart)
{
    if (!strWanted)
        EXPECT_EQ(strGot, nullptr) << strUrl << ": " << strPart << " should be absent";
    else if (!strGot)
        ADD_FAILURE() << strUrl << ": " << strPart << " absent, wanted '" << strWanted << "'";
    else
        EXPECT_STREQ(strGot, strWanted) << strUrl << ": " << strPart;
}

static void ExpectSplit(const SplitRow &row)
{
    FTP_URL_PARTS parts;
    SplitFtpUrl(row.strUrl, &parts);
    const char *strUrl = row.strUrl ? row.strUrl : "(null)";
    ExpectPart(parts.strHost, row.strHost, strUrl, "host");
    ExpectPart(parts.strUserId, row.strUserId, strUrl, "user id");
    ExpectPart(parts.strPassword, row.strPassword, strUrl, "password");
    EXPECT_EQ(parts.nPort, row.nPort) << strUrl << ": port";
    ExpectPart(parts.strPath, row.strPath, strUrl, "path");
    ExpectPart(parts.strFileName, row.strFileName, strUrl, "file name");
    FreeFtpUrlParts(&parts);
    EXPECT_EQ(parts.strHost, nullptr);
}

const char *const ABSENT = nullptr;

TEST(UrlSplit, Table)
{
    const SplitRow rows[] = {
        {"ftp://host", "host", ABSENT, ABSENT, 21, ABSENT, ABSENT},
        {"ftp://host/", "host", ABSENT, ABSENT, 21, "", ABSENT},
        {"ftp://host/file.zip", "host", ABSENT, ABSENT, 21, "file.zip", "file.zip"},
        {"ftp://host/pub/file.zip", "host", ABSENT, ABSENT, 21, "pub/file.zip", "file.zip"},
        {"ftp://host/pub/", "host", ABSENT, ABSENT, 21, "pub/", ""},
        {"ftp://host//file.zip", "host", ABSENT, ABSENT, 21, "/file.zip", "file.zip"},
        {"ftp://host:121/pub/a.txt", "host", ABSENT, ABSENT, 121, "pub/a.txt", "a.txt"},
        {"ftp://host:/a.txt", "host", ABSENT, ABSENT, 0, "a.txt", "a.txt"},
        {"ftp://host:abc/a.txt", "host", ABSENT, ABSENT, 0, "a.txt", "a.txt"},
        {"ftp://host/dir:x/a.txt", "host", ABSENT, ABSENT, 21, "dir:x/a.txt", "a.txt"},
        {"ftp://user@host/a.txt", "host", "user", ABSENT, 21, "a.txt", "a.txt"},
        {"ftp://@host/a.txt", "host", "", ABSENT, 21, "a.txt", "a.txt"},
        {"FTP://Host/A.TXT", "Host", ABSENT, ABSENT, 21, "A.TXT", "A.TXT"},
        {"host/a.txt", "host", ABSENT, ABSENT, 21, "a.txt", "a.txt"},
        {"ftp://", "", ABSENT, ABSENT, 21, ABSENT, ABSENT},
    };
    for (const SplitRow &row : rows)
        ExpectSplit(row);
}

TEST(UrlSplit, FurtherCases)
{
    const SplitRow rows[] = {
        {nullptr, ABSENT, ABSENT, ABSENT, 21, ABSENT, ABSENT},
        {"", ABSENT, ABSENT, ABSENT, 21, ABSENT, ABSENT},
        {"ftp://u:p:q/r@host/a", "host", "u", "p:q/r", 21, "a", "a"},
        {"ftp://u:@host/a", "host", "u", "", 21, "a", "a"},
        {"ftp://host/a b.txt", "host", ABSENT, ABSENT, 21, "a b.txt", "a b.txt"},
        {"ftp://host/a%25b.txt", "host", ABSENT, ABSENT, 21, "a%25b.txt", "a%25b.txt"},
        {"ftp://host/pub@x/f", "x", "host/pub", ABSENT, 21, "f", "f"},
        {"ftp://host:65557/a", "host", ABSENT, ABSENT, 65557, "a", "a"},
        {"ftp://host: -7x/a", "host", ABSENT, ABSENT, -7, "a", "a"},
        {"ftp://host:99999999999/a", "host", ABSENT, ABSENT, 2147483647, "a", "a"},
        {"ftp://host:-99999999999/a", "host", ABSENT, ABSENT, -2147483647 - 1, "a", "a"},
        {"\"ftp://host/a\"", "\"ftp", ABSENT, ABSENT, 0, "/host/a\"", "a\""},
        {"http://host/a", "http", ABSENT, ABSENT, 0, "/host/a", "a"},
        {"ftp:/", "ftp", ABSENT, ABSENT, 0, "", ABSENT},
        {"ftp://host:21", "host", ABSENT, ABSENT, 21, ABSENT, ABSENT},
    };
    for (const SplitRow &row : rows)
        ExpectSplit(row);
}

using UrlSplitJapanese = CodePage932;

TEST_F(UrlSplitJapanese, TrailBytesAreNotSeparators)
{
    const SplitRow rows[] = {
        {"ftp://host/" DB_TRAIL_BAR "/" DB_TRAIL_BACKSLASH ".txt", "host", ABSENT, ABSENT, 21,
         DB_TRAIL_BAR "/" DB_TRAIL_BACKSLASH ".txt", DB_TRAIL_BACKSLASH ".txt"},
        {"ftp://u" DB_TRAIL_AT "@host/a", "host", "u" DB_TRAIL_AT, ABSENT, 21, "a", "a"},
        {"ftp://host/a\x81/b", "host", ABSENT, ABSENT, 21, "a\x81/b", "a\x81/b"},
    };
    for (const SplitRow &row : rows)
        ExpectSplit(row);
}

TEST(UrlBuild, Table)
{
    struct Row {
        const char *strHost, *strUserId, *strPassword, *strPath;
        int nPort;
        const char *strUrl;
    } rows[] = {
        {"h", "", "", "pub/x", 21, "ftp://h/pub/x"},
        {"h", "", "", "pub/x", 121, "ftp://h:121/pub/x"},
        {"h", "", "", "pub/x", 0, "ftp://h:0/pub/x"},
        {"h", "", "", "/pub/x", 21, "ftp://h/pub/x"},
        {"h", "", "", "", 21, "ftp://h/"},
        {"h", "u", "", "pub/x", 21, "ftp://u@h/pub/x"},
        {"h", "", "secret", "pub/x", 21, "ftp://h/pub/x"},
        {"h", nullptr, "secret", nullptr, 21, "ftp://h/"},
        {nullptr, nullptr, nullptr, nullptr, 21, "ftp:///"},
        {"h", "u", "p w", "a b/", -5, "ftp://u:p w@h:-5/a b/"},
        {"h", "u@x", "p:q", "%20", 21, "ftp://u@x:p:q@h/%20"},
    };
    for (const auto &row : rows) {
        HeapText url(BuildFtpUrl(row.strHost, row.strUserId, row.strPassword, row.strPath, row.nPort));
        ASSERT_NE(url.Get(), nullptr);
        EXPECT_STREQ(url.Get(), row.strUrl);
    }
}

TEST(UrlBuild, CutAtTheFormattingLimit)
{
    std::string strPath(3000, 'p');
    HeapText url(BuildFtpUrl("h", "u", "p", strPath.c_str(), 21));
    ASSERT_NE(url.Get(), nullptr);
    EXPECT_EQ(strlen(url.Get()), 1023u);
    EXPECT_EQ(std::string(url.Get(), 13), "ftp://u:p@h/p");
}
