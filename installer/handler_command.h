// The texts of the ftp: handler entry: the open command for a program and the program a command names.
// Heap results come from malloc and are released with free.
#ifndef FTPLINK_HANDLER_COMMAND_H
#define FTPLINK_HANDLER_COMMAND_H

// `"<strExePath>" %1`: the quotes keep a folder with blanks whole, and the bare %1 makes the
// URL the program's entire command line after its name. Null when memory cannot be had.
char *BuildOpenCommand(const char *strExePath);

// `<strExePath>,0`: the program's first icon.
char *BuildIconLocation(const char *strExePath);

// The program an open command starts: the quoted text when the command begins with a quote,
// otherwise everything up to the first blank. Null when the command names no program.
char *CopyCommandProgram(const char *strCommand);

#endif
