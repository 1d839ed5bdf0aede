// The texts of the ftp: handler entry: the open command, the icon location, the program named.
#include <gtest/gtest.h>

#include <cstdlib>

#include "handler_command.h"
#include "launch/heap_text.h"

TEST(HandlerCommand, OpenCommandQuotesThePathAndPassesTheBareUrl)
{
    HeapText strCommand(BuildOpenCommand("C:\\Program Files\\ftplink\\ftplink.exe"));
    EXPECT_STREQ("\"C:\\Program Files\\ftplink\\ftplink.exe\" %1", strCommand.Get());
    HeapText strIcon(BuildIconLocation("C:\\Program Files\\ftplink\\ftplink.exe"));
    EXPECT_STREQ("C:\\Program Files\\ftplink\\ftplink.exe,0", strIcon.Get());
}

TEST(HandlerCommand, ProgramOfCommand)
{
    struct Row {
        const char *strCommand;
        const char *strProgram;  // null: the command names no program
    };
    const Row rows[] = {
        {"\"C:\\Program Files\\ftplink\\ftplink.exe\" %1", "C:\\Program Files\\ftplink\\ftplink.exe"},
        {"\"C:\\a\\ftplink.exe\" \"%1\"", "C:\\a\\ftplink.exe"},
        {"\"C:\\a\\ftplink.exe\"%1", "C:\\a\\ftplink.exe"},
        {"C:\\a\\ftplink.exe %1", "C:\\a\\ftplink.exe"},
        {"C:\\Program Files\\ftplink\\ftplink.exe %1", "C:\\Program"},
        {"  \t\"C:\\a\\b.exe\" %1", "C:\\a\\b.exe"},
        {"C:\\a\\b.exe", "C:\\a\\b.exe"},
        // Code page 932: 0x95 0x5C is one character whose second byte is a backslash.
        {"\"C:\\\x95\x5C\\ftplink.exe\" %1", "C:\\\x95\x5C\\ftplink.exe"},
        {"\"C:\\unterminated\\ftplink.exe %1", nullptr},
        {"\"\" %1", nullptr},
        {"", nullptr},
        {"   ", nullptr},
    };
    for (const Row &row : rows) {
        HeapText strProgram(CopyCommandProgram(row.strCommand));
        if (row.strProgram)
            EXPECT_STREQ(row.strProgram, strProgram.Get()) << "command: " << row.strCommand;
        else
            EXPECT_EQ(nullptr, strProgram.Get()) << "command: " << row.strCommand;
    }
}

TEST(HandlerCommand, OwnCommandNamesItsProgram)
{
    const char *paths[] = {"C:\\ftplink.exe", "Z:\\tmp\\my apps\\ftplink.exe", "\\\\server\\share\\f t\\ftplink.exe"};
    for (const char *strPath : paths) {
        HeapText strCommand(BuildOpenCommand(strPath));
        HeapText strProgram(CopyCommandProgram(strCommand.Get()));
        EXPECT_STREQ(strPath, strProgram.Get()) << "path: " << strPath;
    }
}
