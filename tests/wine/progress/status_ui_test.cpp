// The live status, the completion summary and the elapsed-time report in the download dialog.
#include "wine/progress/dialog_fixture.h"

#include "progress/progress_ui.h"

// A start time that many milliseconds ago, with half a second's margin on either side of
// the whole second that the status counts.
static uint32_t StartedAgo(uint32_t nMilliseconds)
{
    return GetTickCount() - nMilliseconds - 500;
}

using TransferStatus = DownloadDialog;

TEST_F(TransferStatus, WorkedExampleShowsRateBarAndTimeRemaining)
{
    TransferProgress.nTotalBytes = 1000000;
    TransferProgress.dwStartTick = StartedAgo(25000);
    TransferProgress.dwLastTick = 1;
    UpdateTransferStatus(hDlg, 250000);
    EXPECT_EQ(Text(IDC_DL_RATE), "80.00K bits per second");
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "250000 of 1000000 bytes, 1 min 15 secs remaining.");
    EXPECT_EQ(TransferProgress.nPercent, 25u);
    EXPECT_NE(TransferProgress.dwLastTick, 1u);
}

TEST_F(TransferStatus, FirstTickOfTheProcessShowsNoRate)
{
    TransferProgress.nTotalBytes = 1000000;
    TransferProgress.dwStartTick = StartedAgo(25000);
    SetDlgItemTextA(hDlg, IDC_DL_RATE, "stale");
    UpdateTransferStatus(hDlg, 250000);
    EXPECT_EQ(Text(IDC_DL_RATE), "");
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "250000 of 1000000 bytes");
    EXPECT_NE(TransferProgress.dwLastTick, 0u);
}

TEST_F(TransferStatus, UnknownSizeShowsTheByteCountOnly)
{
    TransferProgress.dwStartTick = StartedAgo(5000);
    TransferProgress.dwLastTick = 1;
    UpdateTransferStatus(hDlg, 0);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "0 bytes.");
    UpdateTransferStatus(hDlg, 5000);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "5000 bytes.");
    EXPECT_EQ(Text(IDC_DL_RATE), "8.00K bits per second");
    EXPECT_EQ(TransferProgress.nPercent, 0u);
}

TEST_F(TransferStatus, PercentKeepsItsValueWithoutBytesAndGoesPast100)
{
    TransferProgress.nTotalBytes = 1000;
    TransferProgress.nPercent = 7;
    TransferProgress.dwStartTick = StartedAgo(1000);
    TransferProgress.dwLastTick = 1;
    UpdateTransferStatus(hDlg, 0);
    EXPECT_EQ(TransferProgress.nPercent, 7u);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "0 of 1000 bytes");
    UpdateTransferStatus(hDlg, 1000);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "1000 of 1000 bytes");
    EXPECT_EQ(TransferProgress.nPercent, 100u);
    UpdateTransferStatus(hDlg, 1050);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "1050 of 1000 bytes");
    EXPECT_EQ(TransferProgress.nPercent, 105u);
    TransferProgress.nTotalBytes = 100000000;
    UpdateTransferStatus(hDlg, 50000000);
    EXPECT_EQ(TransferProgress.nPercent, 50u);
}

using CompletionSummary = DownloadDialog;

TEST_F(CompletionSummary, WorkedExamples)
{
    struct {
        uint32_t nBytes, nElapsed;
        const char *strLine, *strRates;
    } cases[] = {
        {52340, 2600, "52340 bytes in 3 seconds.", "139.57K bits per second,  17.44K bytes per sec."},
        {5000000, 40500, "4882KB in 40 seconds.", "1000.00K bits per second,  125.00K bytes per sec."},
        {1000, 700, "1000 bytes in 1 seconds.", "8.00K bits per second,  1000 Bps"},
        {1024576, 1000, "1024576 bytes in 1 seconds.",
         "8196.60K bits per second,  1024.57K bytes per sec."},
        {1024577, 1000, "1000KB in 1 seconds.",
         "8196.61K bits per second,  1024.57K bytes per sec."},
    };
    for (const auto &c : cases) {
        TransferProgress.nBytesDone = c.nBytes;
        TransferProgress.nTotalBytes = 0;
        TransferProgress.dwStartTick = 5000;
        TransferProgress.dwLastTick = 5000 + c.nElapsed;
        ShowCompletionSummary(hDlg);
        EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), c.strLine);
        EXPECT_EQ(Text(IDC_DL_RATE), c.strRates);
        EXPECT_EQ(Text(IDC_DL_PROGRESS_LABEL), "Success:");
        EXPECT_EQ(TransferProgress.nTotalBytes, c.nBytes);
        EXPECT_EQ(TransferProgress.nPercent, 100u);
    }
}

TEST_F(CompletionSummary, SkippedWithoutBytesOrTime)
{
    TransferProgress.nBytesDone = 0;
    TransferProgress.dwStartTick = 5000;
    TransferProgress.dwLastTick = 7000;
    TransferProgress.nPercent = 42;
    ShowCompletionSummary(hDlg);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_LABEL), "Progress: ");
    EXPECT_EQ(TransferProgress.nPercent, 42u);
}

TEST_F(CompletionSummary, RetrievalShorterThanATimerTickIsMeasuredToNow)
{
    // The last status update belongs to an earlier attempt: E is measured up to the success.
    TransferProgress.nBytesDone = 1000;
    TransferProgress.dwStartTick = GetTickCount() - 1700;
    TransferProgress.dwLastTick = TransferProgress.dwStartTick - 5;
    ShowCompletionSummary(hDlg);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "1000 bytes in 2 seconds.");
    EXPECT_EQ(Text(IDC_DL_RATE), "4.00K bits per second,  500 Bps");
}

using ElapsedTime = DownloadDialog;

TEST_F(ElapsedTime, ShowsTheTimePeriodAndRelabelsCancel)
{
    SetDlgItemTextA(hDlg, IDC_DL_RATE, "rate");
    OnElapsedTime(hDlg, 0, 3725000);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "1 hr 2 mins 5 secs");
    EXPECT_EQ(Text(IDC_DL_PROGRESS_LABEL), "Time period:");
    EXPECT_EQ(Text(IDCANCEL), "&Close");
    EXPECT_EQ(Text(IDC_DL_RATE), "rate");
    OnElapsedTime(hDlg, 0, 1000);
    EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "1 sec");
}

TEST_F(ElapsedTime, IgnoresANonzeroWParamAndTimesBelowOneMillisecond)
{
    struct {
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {1, 5000},
        {0, 0},
        {0, LPARAM(uint32_t(0x80000000u))},   // from 2^31 ms on the 32-bit value is negative
        {0, LPARAM(uint32_t(0xFFFFFFFFu))},
    };
    for (const auto &c : cases) {
        OnElapsedTime(hDlg, c.wParam, c.lParam);
        EXPECT_EQ(Text(IDC_DL_PROGRESS_TEXT), "unknown") << c.wParam << " " << c.lParam;
        EXPECT_EQ(Text(IDC_DL_PROGRESS_LABEL), "Progress: ");
        EXPECT_EQ(Text(IDCANCEL), "Cancel");
    }
}
