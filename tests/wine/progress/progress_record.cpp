// The counters the progress routines read and write, defined here so that these tests link
// the progress display without the download dialog that owns them in the program.
#include "download/transfer_progress.h"

TRANSFER_PROGRESS TransferProgress;
