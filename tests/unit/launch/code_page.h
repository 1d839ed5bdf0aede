// Test fixture that runs its tests under the double-byte code page 932.
#ifndef FTPLINK_TEST_CODE_PAGE_H
#define FTPLINK_TEST_CODE_PAGE_H

#include <gtest/gtest.h>

#include "launch/mbcs.h"

class CodePage932 : public ::testing::Test {
protected:
    void SetUp() override { UseCodePageForTests(932); }
    void TearDown() override { UseCodePageForTests(0); }
};

// Double-byte characters of code page 932 whose trail byte is an ASCII separator.
#define DB_TRAIL_BACKSLASH "\x95\x5C"   // a kanji whose trail byte is '\'
#define DB_TRAIL_BAR "\x83\x7C"         // a katakana whose trail byte is '|'
#define DB_TRAIL_AT "\x81\x40"          // the ideographic space, trail byte '@'

#endif
