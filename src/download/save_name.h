// The default extension that the Save As dialog appends to a name typed without one.
#ifndef FTPLINK_SAVE_NAME_H
#define FTPLINK_SAVE_NAME_H

#include <cstddef>

// Room for the longest default extension, 9 bytes, and its terminator.
constexpr size_t DEFAULT_EXT_CAP = 10;

// The text after the last "." of the proposed name (a double-byte character is never taken
// for a "."), cut to whole characters within 9 bytes. Returns false, with strExt empty, when
// the name has no ".".
bool FindDefaultExtension(const char *strName, char *strExt, size_t nCap);

#endif
