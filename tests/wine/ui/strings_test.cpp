// The string table as the program loads it: every row exact, missing ids empty, the Save As filter.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launch/heap_text.h"
#include "launch/strutil.h"
#include "resource.h"
#include "ui/dlgutil.h"

namespace {

const char STR_ENGINE_FAILED[] =
    "There was an error!  Tessaloft Pro may not be properly installed.  We recommend that you disable "
    "Browser Integration with Tessaloft Pro until the problem is repaired or a new version is installed."
    "\n\n"
    "If you choose \"Yes\", then you may re-enable Browser Integration later, by choosing \"Browser "
    "Integration...\" from the \"Utilities\" menu in Tessaloft Pro.  If you choose \"No\", then no change "
    "will be made to your system at this time."
    "\n\n"
    "Disable Browser Integration now?";

struct StringRow {
    UINT nId;
    const char *strText;
};

const StringRow STRING_TABLE[] = {
    {200, "All files (*.*)|*.*|"},
    {201, "Save Downloaded File As"},
    {301, "%1!s! from %2!s!"},
    {400, "Downloading..."},
    {401, "Retrieving file information..."},
    {402, "Completed..."},
    {403, "Success:"},
    {404, "Failed..."},
    {405, "Directory"},
    {500, "%u.%02uK bits per second"},
    {501, "%u bits per second"},
    {502, "%u bps"},
    {503, "%u.%02uK bytes per sec."},
    {504, "%u Bps"},
    {505, "%1!d!%2!s! in %3!d! seconds."},
    {507, "%1!u! of %2!u! bytes"},
    {508, " remaining."},
    {509, "%u bytes."},
    {600, " bytes"},
    {601, "KB"},
    {700, "&Close"},
    {701, "sec"},
    {702, "secs"},
    {703, "hr"},
    {704, "hrs"},
    {705, "min"},
    {706, "mins"},
    {707, "Time period:"},
    {708, "Complete"},
    {800, "Failed to connect."},
    {801, "Failed.  File not found."},
    {802, STR_ENGINE_FAILED},
    {803, "Tessaloft Pro Error"},
    {2001, "The downloaded file could not be saved as\n%1!s!\n\nIt has been kept at\n%2!s!"},
};

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

TEST(LoadResString, EveryRowOfTheTableLoadsExactly)
{
    for (const StringRow &row : STRING_TABLE) {
        HeapText strText(LoadResString(Self(), row.nId));
        ASSERT_NE(strText.Get(), nullptr) << "id " << row.nId;
        EXPECT_EQ(std::string(strText.Get()), std::string(row.strText)) << "id " << row.nId;
    }
}

TEST(LoadResString, TableHoldsNoOtherRows)
{
    int nFound = 0;
    for (UINT nId = 0; nId < 4096; ++nId) {
        char strBuffer[8];
        if (LoadStringA(Self(), nId, strBuffer, sizeof strBuffer) > 0)
            ++nFound;
    }
    EXPECT_EQ(nFound, static_cast<int>(sizeof STRING_TABLE / sizeof STRING_TABLE[0]));
}

TEST(LoadResString, MissingIdGivesEmptyHeapText)
{
    for (UINT nId : {0u, 202u, 506u, 999u, 65535u}) {
        HeapText strText(LoadResString(Self(), nId));
        ASSERT_NE(strText.Get(), nullptr) << "id " << nId;
        EXPECT_STREQ(strText.Get(), "") << "id " << nId;
    }
}

TEST(LoadResString, LongestStringFitsTheBufferWhole)
{
    HeapText strText(LoadResString(Self(), IDS_ENGINE_FAILED_TEXT));
    ASSERT_NE(strText.Get(), nullptr);
    EXPECT_EQ(strlen(strText.Get()), strlen(STR_ENGINE_FAILED));
    EXPECT_LT(strlen(strText.Get()), 1024u);
    EXPECT_EQ(strchr(strText.Get(), '\r'), nullptr);
}

TEST(LoadResString, FilterTurnsIntoOneFilterAndClosingDoubleNul)
{
    HeapText strFilter(LoadResString(Self(), IDS_SAVE_FILTER));
    ASSERT_NE(strFilter.Get(), nullptr);
    size_t nLength = strlen(strFilter.Get());
    char *pEnd = ReplaceEveryChar(strFilter.str, '|', '\0');
    ASSERT_EQ(pEnd, strFilter.str + nLength);
    const char *pItem = strFilter.Get();
    EXPECT_STREQ(pItem, "All files (*.*)");
    pItem += strlen(pItem) + 1;
    EXPECT_STREQ(pItem, "*.*");
    pItem += strlen(pItem) + 1;
    // The list ends here: an empty item, followed by the text's own terminator.
    EXPECT_EQ(pItem[0], '\0');
    EXPECT_EQ(pItem, pEnd);
}

}  // namespace
