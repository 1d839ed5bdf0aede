// Where the help file lives: beside the program, named by a fixed file name.
#ifndef FTPLINK_HELP_PATH_H
#define FTPLINK_HELP_PATH_H

#include <cstddef>

constexpr const char *HELP_FILE_NAME = "skelmer.hlp";
constexpr size_t HELP_PATH_CAPACITY = 260;

// Replaces everything after the last backslash of strModulePath with the help file's name
// (the bare name when there is no backslash). False, with strPath empty, when the result would
// not fit nCapacity bytes including the NUL.
bool BuildHelpPath(const char *strModulePath, char *strPath, size_t nCapacity);

#endif
