// The end of a successful transfer: the statistics block and the elapsed-time report.
#include "download/transfer_progress.h"
#include "launch/heap_text.h"
#include "launch/strutil.h"
#include "progress/progress_ui.h"
#include "progress/summary_text.h"
#include "resource.h"
#include "ui/dlgutil.h"

constexpr size_t RATE_TEXT_CAP = 80;
constexpr size_t ELAPSED_TEXT_CAP = 4096;

// The summary line's strings are kept for the process, like the download dialog's own.
enum SUMMARY_STRING { SM_UNIT_BYTES, SM_UNIT_KB, SM_LINE, SM_COUNT };
static const UINT SummaryStringIds[SM_COUNT] = {IDS_UNIT_BYTES, IDS_UNIT_KB, IDS_SUMMARY};
static char *SummaryStrings[SM_COUNT];
static bool SummaryLoaded[SM_COUNT];
static ONCE_STRINGS SummaryOnce = {SummaryStringIds, SM_COUNT, SummaryStrings, SummaryLoaded};

static char *FormatSummaryRates(char *strOut, size_t nCap, uint64_t nRate)
{
    HeapText strKiloBits(LoadResString(hAppInstance, IDS_RATE_KBITS));
    HeapText strBits(LoadResString(hAppInstance, IDS_RATE_BPS));
    HeapText strKiloBytes(LoadResString(hAppInstance, IDS_RATE_KBYTES));
    HeapText strBytes(LoadResString(hAppInstance, IDS_RATE_BYTES));
    RATE_FORMATS formats = {strKiloBits.Get(), strBits.Get(), strKiloBytes.Get(), strBytes.Get()};
    return FormatFinalRates(strOut, nCap, nRate, formats);
}

void ShowCompletionSummary(HWND hDlg)
{
    LoadOnceStrings(&SummaryOnce);
    uint32_t nBytes = TransferProgress.nBytesDone;
    uint32_t nElapsed = SummaryElapsed(TransferProgress.dwStartTick, TransferProgress.dwLastTick,
                                       GetTickCount());
    if (nElapsed == 0 || nBytes == 0)
        return;
    TransferProgress.nTotalBytes = nBytes;
    TransferProgress.nPercent = 100;
    DrawFillBar(GetDlgItem(hDlg, IDC_DL_BAR));

    uint32_t nSeconds = SummarySeconds(nElapsed);
    char strRates[RATE_TEXT_CAP];
    FormatSummaryRates(strRates, sizeof strRates, AverageBitRate(nBytes, nSeconds));
    SUMMARY_SIZE size = SummarySize(nBytes);
    const char *strUnit = SummaryStrings[size.bKilobytes ? SM_UNIT_KB : SM_UNIT_BYTES];
    HeapText strLine(FormatResMessage(NullToEmpty(SummaryStrings[SM_LINE]), size.nSize,
                                      NullToEmpty(strUnit), nSeconds));
    HeapText strSuccess(LoadResString(hAppInstance, IDS_LABEL_SUCCESS));

    SetDlgItemTextA(hDlg, IDC_DL_RATE, strRates);
    SetDlgItemTextA(hDlg, IDC_DL_PROGRESS_LABEL, NullToEmpty(strSuccess.Get()));
    SetDlgItemTextA(hDlg, IDC_DL_PROGRESS_TEXT, NullToEmpty(strLine.Get()));
}

void OnElapsedTime(HWND hDlg, WPARAM wParam, LPARAM lParam)
{
    // The milliseconds keep their 32-bit meaning in the 64-bit build too.
    int32_t nMilliseconds = int32_t(uint32_t(lParam));
    if (wParam != 0 || nMilliseconds < 1)
        return;
    HeapText strSec(LoadResString(hAppInstance, IDS_SEC));
    HeapText strSecs(LoadResString(hAppInstance, IDS_SECS));
    HeapText strHr(LoadResString(hAppInstance, IDS_HR));
    HeapText strHrs(LoadResString(hAppInstance, IDS_HRS));
    HeapText strMin(LoadResString(hAppInstance, IDS_MIN));
    HeapText strMins(LoadResString(hAppInstance, IDS_MINS));
    TIME_WORDS words = {strSec.Get(), strSecs.Get(), strHr.Get(),
                        strHrs.Get(), strMin.Get(),  strMins.Get()};
    char strText[ELAPSED_TEXT_CAP];
    FormatElapsedText(strText, sizeof strText, nMilliseconds, words);

    HeapText strLabel(LoadResString(hAppInstance, IDS_LABEL_TIME_PERIOD));
    HeapText strClose(LoadResString(hAppInstance, IDS_CLOSE));
    SetDlgItemTextA(hDlg, IDC_DL_PROGRESS_TEXT, strText);
    SetDlgItemTextA(hDlg, IDC_DL_PROGRESS_LABEL, NullToEmpty(strLabel.Get()));
    SetDlgItemTextA(hDlg, IDCANCEL, NullToEmpty(strClose.Get()));
}
