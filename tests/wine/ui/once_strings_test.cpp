// Once-per-process strings: loaded at the first call, never again, even when a load came back empty.
#include <gtest/gtest.h>

#include <cstdlib>

#include "resource.h"
#include "ui/dlgutil.h"

namespace {

TEST(LoadOnceStrings, LoadsEachStringExactlyOnce)
{
    hAppInstance = GetModuleHandleA(nullptr);
    static const UINT IDS[] = {IDS_SOURCE_LINE, IDS_UNIT_BYTES, IDS_UNIT_KB, 4711};
    static char *pStrings[4];
    static bool pLoaded[4];
    ONCE_STRINGS once = {IDS, 4, pStrings, pLoaded};

    LoadOnceStrings(&once);
    char *pFirst[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(pLoaded[i]) << "slot " << i;
        ASSERT_NE(pStrings[i], nullptr) << "slot " << i;
        pFirst[i] = pStrings[i];
    }
    EXPECT_STREQ(pStrings[0], "%1!s! from %2!s!");
    EXPECT_STREQ(pStrings[1], " bytes");
    EXPECT_STREQ(pStrings[2], "KB");
    EXPECT_STREQ(pStrings[3], "");

    // Earlier copies stay allocated, so a reload would have to hand out new pointers.
    for (int nCall = 0; nCall < 100; ++nCall)
        LoadOnceStrings(&once);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pStrings[i], pFirst[i]) << "slot " << i;
}

TEST(LoadOnceStrings, LeavesAStringMarkedLoadedAlone)
{
    hAppInstance = GetModuleHandleA(nullptr);
    static const UINT IDS[] = {IDS_SEC, IDS_SECS};
    static char strKept[] = "kept";
    static char *pStrings[2] = {strKept, nullptr};
    static bool pLoaded[2] = {true, false};
    ONCE_STRINGS once = {IDS, 2, pStrings, pLoaded};

    LoadOnceStrings(&once);
    EXPECT_EQ(pStrings[0], strKept);
    ASSERT_NE(pStrings[1], nullptr);
    EXPECT_STREQ(pStrings[1], "secs");
}

// Two owners loaded one after the other, with a check registered before each: at exit the newer
// owner's strings are released first, then the older one's, each before the check that precedes it.
char *pOlderStrings[2];
bool pOlderLoaded[2];
char *pNewerStrings[1];
bool pNewerLoaded[1];

void CheckNewerReleasedFirst()
{
    if (pNewerStrings[0] != nullptr || pOlderStrings[0] == nullptr || pOlderStrings[1] == nullptr)
        _exit(3);
}

void CheckAllReleased()
{
    _exit(pOlderStrings[0] == nullptr && pOlderStrings[1] == nullptr ? 0 : 4);
}

void LoadTwoOwnersAndExit()
{
    hAppInstance = GetModuleHandleA(nullptr);
    static const UINT OLDER_IDS[] = {IDS_HR, IDS_HRS};
    static const UINT NEWER_IDS[] = {IDS_MIN};
    ONCE_STRINGS older = {OLDER_IDS, 2, pOlderStrings, pOlderLoaded};
    ONCE_STRINGS newer = {NEWER_IDS, 1, pNewerStrings, pNewerLoaded};
    atexit(CheckAllReleased);
    LoadOnceStrings(&older);
    atexit(CheckNewerReleasedFirst);
    LoadOnceStrings(&newer);
    if (pOlderStrings[0] == nullptr || pOlderStrings[1] == nullptr || pNewerStrings[0] == nullptr)
        _exit(2);
    exit(1);
}

TEST(LoadOnceStringsDeathTest, ReleasesAtExitNewestFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LoadTwoOwnersAndExit(), testing::ExitedWithCode(0), "");
}

}  // namespace
