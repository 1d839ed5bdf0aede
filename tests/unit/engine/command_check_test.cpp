// Command checks: a line break anywhere in an argument is refused, and verbs are plain letters.
#include <gtest/gtest.h>

#include <string>

#include "command_check.h"

namespace {

TEST(CommandCheck, Arguments)
{
    const struct {
        std::string strArg;
        bool bSafe;
    } cases[] = {
        {"/pub/file.zip", true},
        {"", true},
        {"name with blanks.txt", true},
        {"\x82\xa0\x82\xa2.txt", true},
        {"a\r\nDELE b", false},
        {"a\nDELE b", false},
        {"a\rDELE b", false},
        {"trailing\n", false},
        {"\r", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsSafeArgument(c.strArg), c.bSafe) << c.strArg;
}

TEST(CommandCheck, Verbs)
{
    const struct {
        const char *strVerb;
        bool bSafe;
    } cases[] = {
        {"SIZE", true}, {"MDTM", true}, {"CWD", true}, {"size", true}, {"CW", false},
        {"RETRX", false}, {"SI E", false}, {"CWD\r", false}, {"", false}, {"S1ZE", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsSafeVerb(c.strVerb), c.bSafe) << c.strVerb;
}

}  // namespace
