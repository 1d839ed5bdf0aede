// The lead-byte table and character step in the single-byte and the Japanese code page.
#include <gtest/gtest.h>

#include "launch/mbcs.h"
#include "unit/launch/code_page.h"

TEST(Mbcs, SingleByteCodePageHasNoLeadBytes)
{
    UseCodePageForTests(0);
    for (int ch = 0; ch < 256; ++ch)
        EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(ch))) << ch;
    const char str[] = "\x95\x5C";
    EXPECT_EQ(NextChar(str), str + 1);
}

using MbcsJapanese = CodePage932;

TEST_F(MbcsJapanese, LeadByteRanges)
{
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte('A'));
    EXPECT_TRUE(IsTrailByte(0x5C));
    EXPECT_FALSE(IsTrailByte('/'));
}

TEST_F(MbcsJapanese, StepCoversDoubleByteAndStopsAtLoneLeadByte)
{
    const char str[] = DB_TRAIL_BACKSLASH "a\x82";
    const char *p = NextChar(str);
    EXPECT_EQ(p, str + 2);
    p = NextChar(p);
    EXPECT_EQ(p, str + 3);
    p = NextChar(p);
    EXPECT_EQ(p, str + 4) << "a lone lead byte before the terminator is one byte";
    EXPECT_EQ(NextChar(p), p) << "the terminator is never stepped over";
}

TEST_F(MbcsJapanese, CompareFoldsOnlySingleByteLetters)
{
    EXPECT_EQ(CompareText("Abc" DB_TRAIL_BAR, "aBC" DB_TRAIL_BAR, true), 0);
    EXPECT_NE(CompareText("Abc", "aBC", false), 0);
    EXPECT_LT(CompareText("ab", "abc", false), 0);
    EXPECT_GT(CompareText("\x82\x60x", "\x82", false), 0);
}
