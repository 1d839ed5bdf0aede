// Reply reader: complete and incomplete replies, multi-line forms, and every way a reply is refused.
#include <gtest/gtest.h>

#include <string>

#include "reply_reader.h"

namespace {

struct ReplyCase {
    const char *strName;
    std::string strInput;
    ReplyStatus eStatus;
    int nCode;
    size_t nLength;
    const char *strWhole;
    const char *strLastText;
};

TEST(ReplyReader, Table)
{
    const std::string strLong(MAX_REPLY_LINE + 1, 'x');
    std::string strManyLines = "220-start\r\n";
    for (int i = 0; i < MAX_REPLY_LINES; ++i)
        strManyLines += "more\r\n";
    strManyLines += "220 end\r\n";
    std::string strMaxLines = "220-start\r\n";
    for (int i = 0; i < MAX_REPLY_LINES - 2; ++i)
        strMaxLines += "more\r\n";
    strMaxLines += "220 end\r\n";

    const ReplyCase cases[] = {
        {"single line", "220 Welcome\r\n", REPLY_COMPLETE, 220, 13, "220 Welcome", "Welcome"},
        {"bare LF", "213 1234\n", REPLY_COMPLETE, 213, 9, "213 1234", "1234"},
        {"code alone", "200\r\n", REPLY_COMPLETE, 200, 5, "200", ""},
        {"next reply left in buffer", "331 Pass\r\n230 OK\r\n", REPLY_COMPLETE, 331, 10, "331 Pass", "Pass"},
        {"multi-line", "220-Hello\r\n there\r\n220 Ready\r\n", REPLY_COMPLETE, 220, 30,
         "220-Hello\r\n there\r\n220 Ready", "Ready"},
        {"inner line with other code", "230-Note\r\n226 not the end\r\n230-still\r\n230 Done\r\n", REPLY_COMPLETE, 230,
         48, "230-Note\r\n226 not the end\r\n230-still\r\n230 Done", "Done"},
        {"inner line with own code and dash", "211-a\r\n211-b\r\n211 c\r\n", REPLY_COMPLETE, 211, 21,
         "211-a\r\n211-b\r\n211 c", "c"},
        {"120 is a complete reply of its own", "120 Wait\r\n220 Ready\r\n", REPLY_COMPLETE, 120, 10, "120 Wait", "Wait"},
        {"most lines allowed", strMaxLines, REPLY_COMPLETE, 220, strMaxLines.size(), nullptr, "end"},
        {"empty", "", REPLY_INCOMPLETE, 0, 0, nullptr, nullptr},
        {"no line end yet", "220 Welc", REPLY_INCOMPLETE, 0, 0, nullptr, nullptr},
        {"multi-line not ended", "220-Hello\r\n220-more\r\n", REPLY_INCOMPLETE, 0, 0, nullptr, nullptr},
        {"last line not ended", "220-Hello\r\n220 Rea", REPLY_INCOMPLETE, 0, 0, nullptr, nullptr},
        {"NUL in line", std::string("220 Wel\0come\r\n", 14), REPLY_NUL, 0, 0, nullptr, nullptr},
        {"NUL before line end arrives", std::string("220 \0", 5), REPLY_NUL, 0, 0, nullptr, nullptr},
        {"letters for code", "abc hello\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"garbage judged early", "HTTP/1.1", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"first digit 6", "600 x\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"first digit 0", "099 x\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"two digits", "22 x\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"four digits", "2200 x\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"empty line", "\r\n", REPLY_NOT_NUMERIC, 0, 0, nullptr, nullptr},
        {"overlong line", "220 " + strLong + "\r\n", REPLY_LINE_TOO_LONG, 0, 0, nullptr, nullptr},
        {"overlong line before its end", "220 " + strLong, REPLY_LINE_TOO_LONG, 0, 0, nullptr, nullptr},
        {"overlong inner line", "220-a\r\n" + strLong + "\r\n220 b\r\n", REPLY_LINE_TOO_LONG, 0, 0, nullptr, nullptr},
        {"too many lines", strManyLines, REPLY_TOO_MANY_LINES, 0, 0, nullptr, nullptr},
    };
    for (const ReplyCase &c : cases) {
        ReplyInfo info;
        EXPECT_EQ(ReadReply(c.strInput, info), c.eStatus) << c.strName;
        if (c.eStatus != REPLY_COMPLETE)
            continue;
        EXPECT_EQ(info.nCode, c.nCode) << c.strName;
        EXPECT_EQ(info.nLength, c.nLength) << c.strName;
        if (c.strWhole != nullptr) {
            EXPECT_EQ(info.svWhole, c.strWhole) << c.strName;
        }
        EXPECT_EQ(info.svLastText, c.strLastText) << c.strName;
    }
}

// A reply that arrives in pieces is incomplete at every cut and complete only with its last byte.
TEST(ReplyReader, SplitAcrossReads)
{
    const std::string strReply = "220-Banner line one\r\n  two\r\n220 Ready\r\n";
    for (size_t nCut = 0; nCut < strReply.size(); ++nCut) {
        ReplyInfo info;
        EXPECT_EQ(ReadReply(strReply.substr(0, nCut), info), REPLY_INCOMPLETE) << "cut at " << nCut;
    }
    ReplyInfo info;
    ASSERT_EQ(ReadReply(strReply, info), REPLY_COMPLETE);
    EXPECT_EQ(info.nCode, 220);
    EXPECT_EQ(info.nLength, strReply.size());
}

// The caller consumes replies one after another: a 120 and then the 220 greeting.
TEST(ReplyReader, ConsecutiveReplies)
{
    std::string strBuffer = "120 Ready in 1 minute\r\n220-Welcome\r\n220 Go\r\n";
    ReplyInfo info;
    ASSERT_EQ(ReadReply(strBuffer, info), REPLY_COMPLETE);
    EXPECT_EQ(info.nCode, 120);
    strBuffer.erase(0, info.nLength);
    ASSERT_EQ(ReadReply(strBuffer, info), REPLY_COMPLETE);
    EXPECT_EQ(info.nCode, 220);
    EXPECT_EQ(info.svLastText, "Go");
    EXPECT_EQ(info.nLength, strBuffer.size());
}

}  // namespace
