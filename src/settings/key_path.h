// Splitting of a registry key path ("Software\Norrbeck\...") into its levels.
#ifndef FTPLINK_KEY_PATH_H
#define FTPLINK_KEY_PATH_H

#include <cstddef>

// Longest name of one level, in bytes; a buffer for it needs one more.
constexpr size_t KEY_LEVEL_NAME_MAX = 1023;

// Copies the first level of *pPath (the text up to its first backslash, never a trail byte)
// into strLevel and moves *pPath past that backslash, or to null after the last level.
// Returns false, changing nothing, when *pPath is null or empty or the name does not fit nCap.
bool TakeKeyLevel(const char **pPath, char *strLevel, size_t nCap);

#endif
