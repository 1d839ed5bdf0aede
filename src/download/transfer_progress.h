// The download dialog's counters of the current request (all 32 bits wide).
#ifndef FTPLINK_TRANSFER_PROGRESS_H
#define FTPLINK_TRANSFER_PROGRESS_H

#include <cstdint>

struct TRANSFER_PROGRESS {
    uint32_t nTotalBytes;            // size that counts as 100 percent; 0 = none reported
    uint32_t nBytesDone;             // bytes so far, as last reported by the engine
    uint32_t nPercent;               // what the bar shows
    volatile uint32_t dwStartTick;   // written by the worker before each retrieval
    uint32_t dwLastTick;             // time of the last status update
    int32_t bAskPending;             // the open-or-save question is still to be asked
    int32_t bTimerRunning;
};

extern TRANSFER_PROGRESS TransferProgress;

#endif
