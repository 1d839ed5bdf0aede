// The rate text of the live transfer status.
#ifndef FTPLINK_TRANSFER_STATUS_H
#define FTPLINK_TRANSFER_STATUS_H

#include <cstddef>
#include <cstdint>

// "28.80K bits per second", "1000 bits per second", or empty for 0; returns strOut.
char *FormatBitRate(char *strOut, size_t nCap, uint64_t nRate);

#endif
