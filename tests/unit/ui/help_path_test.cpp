// The help file's path: beside the program, the bare name without a folder, nothing when it cannot fit.
#include <gtest/gtest.h>

#include <string>

#include "ui/help_path.h"

namespace {

struct HelpPathCase {
    const char *strModule;
    const char *strExpected;
};

TEST(BuildHelpPath, ReplacesTheFileNameAfterTheLastBackslash)
{
    const HelpPathCase CASES[] = {
        {"C:\\Program Files\\Tessaloft\\ftplink.exe", "C:\\Program Files\\Tessaloft\\skelmer.hlp"},
        {"C:\\ftplink.exe", "C:\\skelmer.hlp"},
        {"\\\\server\\share\\bin\\ftplink.exe", "\\\\server\\share\\bin\\skelmer.hlp"},
        {"C:\\odd\\", "C:\\odd\\skelmer.hlp"},
        {"ftplink.exe", "skelmer.hlp"},
        {"C:/forward/slashes/ftplink.exe", "skelmer.hlp"},
        {"", "skelmer.hlp"},
        // A double-byte folder name whose trail byte is 0x5C: the last 0x5C is still the separator.
        {"C:\\\x95\x5C\\ftplink.exe", "C:\\\x95\x5C\\skelmer.hlp"},
    };
    for (const HelpPathCase &c : CASES) {
        char strPath[HELP_PATH_CAPACITY];
        ASSERT_TRUE(BuildHelpPath(c.strModule, strPath, sizeof strPath)) << c.strModule;
        EXPECT_STREQ(strPath, c.strExpected) << c.strModule;
    }
}

TEST(BuildHelpPath, RefusesAPathThatWouldNotFit)
{
    // The longest folder that leaves room for the name and the NUL, then one byte more.
    std::string strFolder = "C:\\" + std::string(HELP_PATH_CAPACITY - 1 - 11 - 4, 'd') + "\\";
    std::string strModule = strFolder + "ftplink.exe";
    char strPath[HELP_PATH_CAPACITY];
    ASSERT_TRUE(BuildHelpPath(strModule.c_str(), strPath, sizeof strPath));
    EXPECT_EQ(std::string(strPath), strFolder + "skelmer.hlp");
    EXPECT_EQ(strlen(strPath), HELP_PATH_CAPACITY - 1);

    strModule = "C:\\d" + strModule.substr(3);
    strPath[0] = 'x';
    EXPECT_FALSE(BuildHelpPath(strModule.c_str(), strPath, sizeof strPath));
    EXPECT_STREQ(strPath, "");
}

}  // namespace
