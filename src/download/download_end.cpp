// The end of a transfer attempt in the download dialog: success, failure reports, the
// hand-off of a directory to the full client, and the close-or-stay step.
#include "download/choice_gate.h"
#include "download/completion.h"
#include "download/download_ctl.h"
#include "download/messages.h"
#include "download/transfer_progress.h"
#include "launch/heap_text.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "launch/trace.h"
#include "launch/urlcodec.h"
#include "progress/progress_ui.h"
#include "resource.h"
#include "settings/bho_removal.h"
#include "ui/dlgutil.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char HANDOFF_FORMAT[] = "corvane.exe %s";

static void ShowFailureBox(HWND hDlg, UINT nStringId)
{
    HeapText strText(LoadResString(hAppInstance, nStringId));
    MessageBoxA(hDlg, strText.Get(), nullptr, MB_OK);
    PostCancel(hDlg);
}

// The command line is built on the heap at its full length: a cut URL would send the full
// client to some other place.
static void HandOffDirectory()
{
    HeapText strUrl(BuildFtpUrl(DownloadRequest.strHost, DownloadRequest.strUserId, DownloadRequest.strPassword,
                                DownloadRequest.strRemotePath, DownloadRequest.nPort));
    const char *strShown = NullToEmpty(strUrl.Get());
    size_t nCap = sizeof HANDOFF_FORMAT + strlen(strShown) + 2;
    HeapText strCmdLine(static_cast<char *>(malloc(nCap)));
    if (!strCmdLine.Get())
        return;
    snprintf(strCmdLine.str, nCap, HANDOFF_FORMAT, strShown);
    EnsureTrailingChar(strCmdLine.str, '/');
    DownloadRequest.nChoice = CHOICE_HANDED_OFF;
    TraceMsg("WinExec'ing: %s", strCmdLine.Get());
    WinExec(strCmdLine.Get(), SW_SHOW);
}

void OnFailure(HWND hDlg, uint32_t nClass, uint32_t nDetail)
{
    if (nClass == FAILURE_CLASS_LOGIN && nDetail == FAILURE_DETAIL_CONNECT)
        ShowFailureBox(hDlg, IDS_FAILED_CONNECT);
    else if (nClass == FAILURE_CLASS_LOGIN && nDetail == FAILURE_DETAIL_REFUSED)
        AskForLogin(hDlg);
    else if (nClass == FAILURE_CLASS_LOGIN && nDetail == FAILURE_DETAIL_DIRECTORY)
        HandOffDirectory();
    else if (nClass == FAILURE_CLASS_RETRIEVE && nDetail == FAILURE_DETAIL_NOT_FOUND)
        ShowFailureBox(hDlg, IDS_FILE_NOT_FOUND);
}

void OnEngineFailed(HWND hDlg)
{
    HeapText strCaption(LoadResString(hAppInstance, IDS_ENGINE_FAILED_TITLE));
    HeapText strText(LoadResString(hAppInstance, IDS_ENGINE_FAILED_TEXT));
    int nAnswer = MessageBoxA(hDlg, strText.Get(), strCaption.Get(), MB_YESNO | MB_ICONQUESTION);
    strCaption.Reset();
    strText.Reset();
    if (nAnswer == IDYES)
        RemoveBho();
    PostCancel(hDlg);
}

// False when the success report is not acted on (yet) or the dialog has already been ended.
static bool CompleteSuccess(HWND hDlg)
{
    if (!IsEventSignalled(hChoiceDoneEvent))
        return false;
    // The gate may re-post a success just before the worker's own arrives: act once.
    if (DownloadControl.bCompleted)
        return false;
    DownloadControl.bCompleted = true;
    SetDlgItemResString(hDlg, IDC_DL_STATE, IDS_STATE_COMPLETED);
    // No update since the retrieval began measured nothing: the live texts stay.
    if (TransferProgress.dwLastTick != TransferProgress.dwStartTick)
        ShowCompletionSummary(hDlg);
    COMPLETION_RESULT nResult = RunCompletionAction(hDlg);
    if (nResult == COMPLETION_ENDED_DIALOG)
        return false;
    // After a failed move the buttons would act on a file that is not the download.
    if (nResult == COMPLETION_DONE) {
        EnableWindow(GetDlgItem(hDlg, IDC_DL_OPEN), TRUE);
        EnableWindow(GetDlgItem(hDlg, IDC_DL_OPEN_FOLDER), TRUE);
    }
    return true;
}

static void CloseOrStay(HWND hDlg)
{
    if (DownloadRequest.nChoice == CHOICE_OPEN || DownloadRequest.nChoice == CHOICE_HANDED_OFF ||
        IsDlgButtonChecked(hDlg, IDC_DL_CLOSE_WHEN_DONE) == BST_CHECKED) {
        EndDialog(hDlg, 1);
        return;
    }
    SetDlgItemResString(hDlg, IDCANCEL, IDS_CLOSE);
}

void OnFinished(HWND hDlg, uint32_t nRetrieved)
{
    if (TransferProgress.bTimerRunning) {
        KillTimer(hDlg, STATUS_TIMER_ID);
        TransferProgress.bTimerRunning = 0;
    }
    if (nRetrieved == 0) {
        DownloadControl.bAttemptFailed = true;
        SetDlgItemResString(hDlg, IDC_DL_STATE,
                            DownloadRequest.nChoice == CHOICE_HANDED_OFF ? IDS_STATE_DIRECTORY : IDS_STATE_FAILED);
    } else if (!CompleteSuccess(hDlg)) {
        return;
    }
    CloseOrStay(hDlg);
}
