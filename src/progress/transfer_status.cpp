// The live transfer status, refreshed by the download dialog's 300 ms timer: rate, bar and
// progress line with the time remaining.
#include "progress/transfer_status.h"

#include <cstdio>

#include "download/transfer_progress.h"
#include "launch/heap_text.h"
#include "launch/strutil.h"
#include "progress/progress_ui.h"
#include "progress/status_text.h"
#include "resource.h"
#include "ui/dlgutil.h"

constexpr size_t STATUS_TEXT_CAP = 100;

// Loaded at the first tick and kept: no tick after the first loads a string resource.
enum STATUS_STRING { SS_OF, SS_HR, SS_HRS, SS_MIN, SS_MINS, SS_SEC, SS_SECS, SS_REMAINING,
                     SS_BYTES, SS_COUNT };
static const UINT StatusStringIds[SS_COUNT] = {
    IDS_PROGRESS_OF, IDS_HR, IDS_HRS, IDS_MIN, IDS_MINS, IDS_SEC, IDS_SECS, IDS_REMAINING,
    IDS_PROGRESS_BYTES};
static char *StatusStrings[SS_COUNT];
static bool StatusLoaded[SS_COUNT];
static ONCE_STRINGS StatusOnce = {StatusStringIds, SS_COUNT, StatusStrings, StatusLoaded};

enum RATE_STRING { RS_KILO, RS_UNIT, RS_COUNT };
static const UINT RateStringIds[RS_COUNT] = {IDS_RATE_KBITS, IDS_RATE_BITS};
static char *RateStrings[RS_COUNT];
static bool RateLoaded[RS_COUNT];
static ONCE_STRINGS RateOnce = {RateStringIds, RS_COUNT, RateStrings, RateLoaded};

char *FormatBitRate(char *strOut, size_t nCap, uint64_t nRate)
{
    LoadOnceStrings(&RateOnce);
    return FormatRateText(strOut, nCap, nRate, RateStrings[RS_KILO], RateStrings[RS_UNIT]);
}

void UpdateTransferStatus(HWND hDlg, uint32_t nBytesDone)
{
    LoadOnceStrings(&StatusOnce);
    uint32_t dwNow = GetTickCount();
    uint32_t nSeconds = (dwNow - TransferProgress.dwStartTick) / 1000;
    // The first tick of the process shows no rate.
    uint64_t nRate = TransferProgress.dwLastTick != 0 ? AverageBitRate(nBytesDone, nSeconds) : 0;
    TransferProgress.dwLastTick = dwNow;

    char strText[STATUS_TEXT_CAP];
    SetDlgItemTextA(hDlg, IDC_DL_RATE, FormatBitRate(strText, sizeof strText, nRate));

    uint32_t nTotal = TransferProgress.nTotalBytes;
    if (nTotal == 0) {
        snprintf(strText, sizeof strText, NullToEmpty(StatusStrings[SS_BYTES]), nBytesDone);
    } else {
        if (nBytesDone > 0)
            TransferProgress.nPercent = PercentOf(nBytesDone, nTotal);
        DrawFillBar(GetDlgItem(hDlg, IDC_DL_BAR));
        HeapText strHead(FormatResMessage(NullToEmpty(StatusStrings[SS_OF]), nBytesDone, nTotal));
        TIME_WORDS words = {StatusStrings[SS_SEC], StatusStrings[SS_SECS], StatusStrings[SS_HR],
                            StatusStrings[SS_HRS], StatusStrings[SS_MIN], StatusStrings[SS_MINS]};
        FormatProgressLine(strText, sizeof strText, strHead.Get(), nBytesDone, nTotal, nRate,
                           words, StatusStrings[SS_REMAINING], StatusStrings[SS_BYTES]);
    }
    SetDlgItemTextA(hDlg, IDC_DL_PROGRESS_TEXT, strText);
}
