// Splitting a registry key path into its levels, double-byte names included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/mbcs.h"
#include "settings/key_path.h"

static std::vector<std::string> Levels(const char *strPath)
{
    std::vector<std::string> levels;
    char strLevel[KEY_LEVEL_NAME_MAX + 1];
    while (TakeKeyLevel(&strPath, strLevel, sizeof strLevel))
        levels.emplace_back(strLevel);
    return levels;
}

using LevelList = std::vector<std::string>;

TEST(TakeKeyLevel, SplitsAtEveryBackslash)
{
    struct {
        const char *strPath;
        LevelList levels;
    } cases[] = {
        {"Software\\Norrbeck\\Tessaloft\\Browser Integration",
         {"Software", "Norrbeck", "Tessaloft", "Browser Integration"}},
        {"Single", {"Single"}},
        {"a\\b\\", {"a", "b"}},          // a trailing backslash ends the path
        {"a\\\\b", {"a", "", "b"}},      // an empty level in the middle is a level
        {"\\a", {"", "a"}},
        {"", {}},
        {nullptr, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Levels(c.strPath), c.levels) << (c.strPath ? c.strPath : "(null)");
}

TEST(TakeKeyLevel, AdvancesToNullAfterTheLastLevel)
{
    const char *strPath = "a\\b";
    char strLevel[8];
    ASSERT_TRUE(TakeKeyLevel(&strPath, strLevel, sizeof strLevel));
    EXPECT_STREQ(strPath, "b");
    ASSERT_TRUE(TakeKeyLevel(&strPath, strLevel, sizeof strLevel));
    EXPECT_EQ(strPath, nullptr);
}

TEST(TakeKeyLevel, RefusesANameTooLongForTheBuffer)
{
    std::string strLong(KEY_LEVEL_NAME_MAX, 'k');
    std::string strPath = strLong + "\\next";
    const char *pPath = strPath.c_str();
    char strLevel[KEY_LEVEL_NAME_MAX + 1];
    ASSERT_TRUE(TakeKeyLevel(&pPath, strLevel, sizeof strLevel));
    EXPECT_EQ(strLevel, strLong);

    std::string strTooLong = strLong + "k\\next";
    pPath = strTooLong.c_str();
    EXPECT_FALSE(TakeKeyLevel(&pPath, strLevel, sizeof strLevel));
    EXPECT_EQ(pPath, strTooLong.c_str());
}

class TakeKeyLevel932 : public ::testing::Test {
protected:
    void SetUp() override { UseCodePageForTests(932); }
    void TearDown() override { UseCodePageForTests(0); }
};

TEST_F(TakeKeyLevel932, ATrailByteOfBackslashDoesNotSplit)
{
    EXPECT_EQ(Levels("Soft\x83\x5Cware\\N\x95\x5C"), (LevelList{"Soft\x83\x5Cware", "N\x95\x5C"}));
}
