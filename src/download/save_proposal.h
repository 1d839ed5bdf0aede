// The file name proposed in the Save As dialog, made from the remote file's name.
#ifndef FTPLINK_SAVE_PROPOSAL_H
#define FTPLINK_SAVE_PROPOSAL_H

#include <cstddef>

// Longest proposed name in bytes: leaves the Save As dialog room for a folder in front of it
// within the 250 characters that it may return.
constexpr size_t SAVE_NAME_MAX = 120;

// Writes into strOut (capacity nCapacity, at least 1) a valid Windows file name for the remote
// name: characters that a file name cannot hold become '_', trailing blanks and dots go,
// device names (CON, NUL, COM1 ...) get a leading '_', and a name longer than SAVE_NAME_MAX or
// the buffer is cut in its base so that the extension survives. Never splits a double-byte
// character. A null remote name gives an empty proposal.
void ProposeSaveName(const char *strRemoteFile, char *strOut, size_t nCapacity);

#endif
