// Parsers of 227, 229, 213 and 150 texts: good forms of real servers and out-of-range numbers.
#include <gtest/gtest.h>

#include "pasv_parse.h"

namespace {

struct PortCase {
    const char *strText;
    bool bOk;
    uint16_t nPort;
};

TEST(PasvParse, Pasv227)
{
    const PortCase cases[] = {
        {"Entering Passive Mode (127,0,0,1,195,80).", true, 50000},
        {"Entering Passive Mode (10,9,8,7,0,21)", true, 21},
        {"=127,0,0,1,4,1", true, 1025},
        {"Entering Passive Mode 192,168,1,2,255,255", true, 65535},
        {"Entering Passive Mode (127,0,0,1,256,1).", false, 0},
        {"Entering Passive Mode (127,0,0,1,1,256).", false, 0},
        {"Entering Passive Mode (300,0,0,1,4,1).", false, 0},
        {"Entering Passive Mode (127,0,0,1,99999999999999999999999,1).", false, 0},
        {"Entering Passive Mode (127,0,0,1,0,0).", false, 0},
        {"Entering Passive Mode (127,0,0,1,4).", false, 0},
        {"Entering Passive Mode (127,0,0,1,4,).", false, 0},
        {"Entering Passive Mode (127,0,0,-1,4,1).", false, 0},
        {"Entering Passive Mode", false, 0},
        {"", false, 0},
    };
    for (const PortCase &c : cases) {
        uint16_t nPort = 0;
        EXPECT_EQ(ParsePasvPort(c.strText, nPort), c.bOk) << c.strText;
        if (c.bOk) {
            EXPECT_EQ(nPort, c.nPort) << c.strText;
        }
    }
}

TEST(PasvParse, Epsv229)
{
    const PortCase cases[] = {
        {"Entering Extended Passive Mode (|||50000|)", true, 50000},
        {"Entering extended passive mode (|||1|).", true, 1},
        {"EPSV ok (!!!65535!)", true, 65535},
        {"Entering Extended Passive Mode (|||65536|)", false, 0},
        {"Entering Extended Passive Mode (|||0|)", false, 0},
        {"Entering Extended Passive Mode (|||99999999999999999999|)", false, 0},
        {"Entering Extended Passive Mode (|||-5|)", false, 0},
        {"Entering Extended Passive Mode (|||50000)", false, 0},
        {"Entering Extended Passive Mode (||50000|)", false, 0},
        {"Entering Extended Passive Mode (|1|::1|50000|)", false, 0},
        {"Entering Extended Passive Mode (111501111)", false, 0},
        {"Entering Extended Passive Mode (|||)", false, 0},
        {"Entering Extended Passive Mode", false, 0},
    };
    for (const PortCase &c : cases) {
        uint16_t nPort = 0;
        EXPECT_EQ(ParseEpsvPort(c.strText, nPort), c.bOk) << c.strText;
        if (c.bOk) {
            EXPECT_EQ(nPort, c.nPort) << c.strText;
        }
    }
}

struct SizeCase {
    const char *strText;
    bool bOk;
    uint64_t nSize;
};

TEST(PasvParse, SizeText213)
{
    const SizeCase cases[] = {
        {"1234", true, 1234},
        {"0", true, 0},
        {"5368709120", true, 5368709120ull},
        {"18446744073709551615", true, UINT64_MAX},
        {"18446744073709551616", false, 0},
        {"12 ", true, 12},
        {"12x", false, 0},
        {"-1", false, 0},
        {"", false, 0},
        {"File size: 12", false, 0},
    };
    for (const SizeCase &c : cases) {
        uint64_t nSize = 0;
        EXPECT_EQ(ParseSizeText(c.strText, nSize), c.bOk) << c.strText;
        if (c.bOk) {
            EXPECT_EQ(nSize, c.nSize) << c.strText;
        }
    }
}

TEST(PasvParse, OpeningSize150)
{
    const SizeCase cases[] = {
        {"150 Opening BINARY mode data connection for file.bin (1234 bytes).", true, 1234},
        {"150 Opening BINARY mode data connection for a (b) (0 bytes).", true, 0},
        {"150 Opening data connection (5368709120 Bytes)", true, 5368709120ull},
        {"150 File status okay. About to open data connection.", false, 0},
        {"150 Opening (1234 bytes", false, 0},
        {"150 Opening (bytes)", false, 0},
        {"150 Opening (99999999999999999999999 bytes)", false, 0},
        {"150 Opening (12 kbytes)", false, 0},
    };
    for (const SizeCase &c : cases) {
        uint64_t nSize = 0;
        EXPECT_EQ(ParseOpeningSize(c.strText, nSize), c.bOk) << c.strText;
        if (c.bOk) {
            EXPECT_EQ(nSize, c.nSize) << c.strText;
        }
    }
}

}  // namespace
