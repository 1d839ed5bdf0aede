// Messages with numbered inserts, formatted from the program's own format strings.
#include <gtest/gtest.h>

#include <string>

#include "launch/heap_text.h"
#include "resource.h"
#include "ui/dlgutil.h"

namespace {

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

TEST(FormatResMessage, SourceLineNamesPathAndHost)
{
    HeapText strFormat(LoadResString(Self(), IDS_SOURCE_LINE));
    HeapText strText(FormatResMessage(strFormat.Get(), "pub/file.zip", "host"));
    ASSERT_NE(strText.Get(), nullptr);
    EXPECT_STREQ(strText.Get(), "pub/file.zip from host");
}

TEST(FormatResMessage, SummaryMixesNumbersAndUnit)
{
    HeapText strFormat(LoadResString(Self(), IDS_SUMMARY));
    HeapText strUnit(LoadResString(Self(), IDS_UNIT_BYTES));
    HeapText strText(FormatResMessage(strFormat.Get(), 12, strUnit.Get(), 3));
    ASSERT_NE(strText.Get(), nullptr);
    EXPECT_STREQ(strText.Get(), "12 bytes in 3 seconds.");
}

TEST(FormatResMessage, LiveProgressTakesUnsignedValues)
{
    HeapText strFormat(LoadResString(Self(), IDS_PROGRESS_OF));
    HeapText strText(FormatResMessage(strFormat.Get(), 4000000000u, 4294967295u));
    ASSERT_NE(strText.Get(), nullptr);
    EXPECT_STREQ(strText.Get(), "4000000000 of 4294967295 bytes");
}

TEST(FormatResMessage, PercentSignsInValuesAreNotExpanded)
{
    HeapText strText(FormatResMessage("%1!s! from %2!s!", "a%1b%n", "h%%"));
    ASSERT_NE(strText.Get(), nullptr);
    EXPECT_STREQ(strText.Get(), "a%1b%n from h%%");
}

TEST(FormatResMessage, ResultTooLongForTheBufferGivesEmptyText)
{
    std::string strLong(4095, 'x');
    HeapText strFits(FormatResMessage("%1!s!", strLong.c_str()));
    ASSERT_NE(strFits.Get(), nullptr);
    EXPECT_EQ(std::string(strFits.Get()), strLong);

    strLong += 'y';
    HeapText strTooLong(FormatResMessage("%1!s!", strLong.c_str()));
    ASSERT_NE(strTooLong.Get(), nullptr);
    EXPECT_STREQ(strTooLong.Get(), "");
}

}  // namespace
