// The file name proposed to the Save As dialog: valid, bounded, extension kept.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "download/save_proposal.h"
#include "unit/launch/code_page.h"

static std::string Proposal(const char *strRemote, size_t nCapacity = 250)
{
    char strOut[300];
    memset(strOut, 'x', sizeof strOut);
    ProposeSaveName(strRemote, strOut, nCapacity);
    EXPECT_LT(strlen(strOut), nCapacity) << strRemote;
    return strOut;
}

TEST(ProposeSaveName, MakesAValidFileName)
{
    const struct {
        const char *strRemote;
        const char *strProposed;
    } cases[] = {
        {"file.zip", "file.zip"},
        {"archive.tar.gz", "archive.tar.gz"},
        {"README", "README"},
        {"a b.txt", "a b.txt"},
        {"what?.txt", "what_.txt"},
        {"a<b>c:d\"e|f*g.txt", "a_b_c_d_e_f_g.txt"},
        {"back\\slash.txt", "back_slash.txt"},
        {"tab\there.txt", "tab_here.txt"},
        {"trailing. . .", "trailing"},
        {"..", ""},
        {"", ""},
        {"CON", "_CON"},
        {"con.txt", "_con.txt"},
        {"NUL.tar.gz", "_NUL.tar.gz"},
        {"COM1", "_COM1"},
        {"lpt9.log", "_lpt9.log"},
        {"COM10", "COM10"},
        {"CONSOLE.txt", "CONSOLE.txt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Proposal(c.strRemote), c.strProposed) << c.strRemote;
    EXPECT_EQ(Proposal(nullptr), "");
}

TEST(ProposeSaveName, CutsALongNameInItsBaseAndKeepsTheExtension)
{
    std::string strLong(1023 - 4, 'n');
    strLong += ".zip";
    std::string strProposed = Proposal(strLong.c_str());
    EXPECT_EQ(strProposed.size(), SAVE_NAME_MAX);
    EXPECT_EQ(strProposed.substr(strProposed.size() - 4), ".zip");

    std::string strLongExt = "a." + std::string(300, 'e');
    EXPECT_EQ(Proposal(strLongExt.c_str()).size(), SAVE_NAME_MAX);

    // A small buffer bounds the name too.
    EXPECT_EQ(Proposal("abcdefghij.txt", 10), "abcde.txt");
    EXPECT_EQ(Proposal("abcdefghij.txt", 1), "");
}

TEST(ProposeSaveName, CutLeavesNoTrailingDotOrBlank)
{
    std::string strName(SAVE_NAME_MAX - 5, 'a');
    strName += " . .zip";   // the cut lands on " ." before the extension
    std::string strProposed = Proposal(strName.c_str());
    EXPECT_EQ(strProposed, std::string(SAVE_NAME_MAX - 5, 'a') + ".zip");
}

TEST_F(CodePage932, ProposeSaveNameKeepsDoubleByteCharactersWhole)
{
    // The trail bytes '\' and '|' belong to their characters and stay.
    EXPECT_EQ(Proposal(DB_TRAIL_BACKSLASH DB_TRAIL_BAR ".txt"), DB_TRAIL_BACKSLASH DB_TRAIL_BAR ".txt");
    // A cut never ends inside a character: 5 bytes of room take two characters, not two and a half.
    std::string strName;
    for (int i = 0; i < 200; ++i)
        strName += DB_TRAIL_BACKSLASH;
    std::string strProposed = Proposal(strName.c_str(), 6);
    EXPECT_EQ(strProposed, DB_TRAIL_BACKSLASH DB_TRAIL_BACKSLASH);
}
