// The download dialog (dialog 129): its procedure, start-up, progress counters and commands.
#include "download/download_dlg.h"

#include "download/choice_gate.h"
#include "download/completion.h"
#include "download/download_ctl.h"
#include "download/messages.h"
#include "download/transfer_progress.h"
#include "download/transfer_worker.h"
#include "launch/cache.h"
#include "launch/heap_text.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "progress/progress_ui.h"
#include "resource.h"
#include "settings/settings.h"
#include "ui/dlgutil.h"
#include "ui/login_dlg.h"

TRANSFER_PROGRESS TransferProgress = {0, 0, 0, 0, 0, 1, 0};
DOWNLOAD_CONTROL DownloadControl;

static const UINT ONCE_STRING_IDS[] = {IDS_SOURCE_LINE};
static char *strOnceStrings[1];
static bool bOnceLoaded[1];
static ONCE_STRINGS OnceStrings = {ONCE_STRING_IDS, 1, strOnceStrings, bOnceLoaded};

void PostCancel(HWND hDlg)
{
    PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
}

void SetDlgItemResString(HWND hDlg, int nId, UINT nStringId)
{
    HeapText strText(LoadResString(hAppInstance, nStringId));
    SetDlgItemTextA(hDlg, nId, strText.Get());
}

void AskForLogin(HWND hDlg)
{
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hDlg, GWLP_HINSTANCE));
    if (DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_LOGIN), hDlg, LoginDlgProc, 0) != 0)
        PostMessageA(hDlg, UM_START, 0, 0);
    else
        PostCancel(hDlg);
}

static BOOL OnInitDialog(HWND hDlg)
{
    InitializeCriticalSection(&csChoiceGate);
    CenterWindow(hDlg);
    SetDialogIcons(hDlg, IDI_APP);
    EnableWindow(GetDlgItem(hDlg, IDC_DL_OPEN), FALSE);
    EnableWindow(GetDlgItem(hDlg, IDC_DL_OPEN_FOLDER), FALSE);
    CheckDlgButton(hDlg, IDC_DL_CLOSE_WHEN_DONE, ReadCloseDialog() ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(hDlg, IDC_DL_DESTINATION, "");
    HeapText strSource(FormatResMessage(NullToEmpty(strOnceStrings[0]), DownloadRequest.strRemotePath,
                                          DownloadRequest.strHost));
    CopyToField(DownloadControl.strWork, WORK_BUFFER_CAP, strSource.Get());
    SetDlgItemTextA(hDlg, IDC_DL_SOURCE, DownloadControl.strWork);
    PostMessageA(hDlg, DownloadRequest.strPassword[0] ? UM_START : UM_ASK_LOGIN, 0, 0);
    return TRUE;
}

static void OnStart(HWND hDlg)
{
    SetDlgItemResString(hDlg, IDC_DL_STATE, IDS_STATE_RETRIEVING);
    TransferProgress.bAskPending = 1;
    DownloadControl.bAttemptFailed = false;
    if (!hChoiceDoneEvent) {
        hChoiceDoneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        hTransferDoneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    } else {
        ResetEvent(hChoiceDoneEvent);
    }
    HANDLE hWorker = CreateThread(nullptr, 0, TransferThread, hDlg, 0, nullptr);
    if (hWorker)
        CloseHandle(hWorker);
    if (SetTimer(hDlg, STATUS_TIMER_ID, STATUS_TIMER_PERIOD_MS, nullptr))
        TransferProgress.bTimerRunning = 1;
}

// Counters only: the status timer turns them into text and paint.
static void OnProgress(HWND hDlg, uint32_t nBytesDone, int32_t nTotal)
{
    if (TransferProgress.bAskPending)
        OnFirstProgress(hDlg, 0);
    if (nTotal > 0 && TransferProgress.nTotalBytes == 0) {
        TransferProgress.nTotalBytes = static_cast<uint32_t>(nTotal);
        ShowWindow(GetDlgItem(hDlg, IDC_DL_BAR), SW_SHOW);
    }
    TransferProgress.nBytesDone = nBytesDone;
}

static void OnCancel(HWND hDlg)
{
    if (DownloadRequest.strLocalFile[0] && !DownloadControl.bKeepCacheFile)
        DeleteFileA(DownloadRequest.strLocalFile);
    EndDialog(hDlg, 0);
}

static BOOL OnCommand(HWND hDlg, WORD nCommand)
{
    switch (nCommand) {
    case IDOK:
        EndDialog(hDlg, 1);
        return TRUE;
    case IDCANCEL:
        OnCancel(hDlg);
        return TRUE;
    case IDC_HELP_BUTTON:
        ShowHelpForWindow(hDlg, HELP_CONTEXT_DOWNLOAD);
        return TRUE;
    case IDC_DL_OPEN:
        OpenSavedFile(hDlg);
        return FALSE;
    case IDC_DL_OPEN_FOLDER:
        OpenSavedFolder(hDlg);
        return FALSE;
    default:
        return FALSE;
    }
}

static void OnDestroy(HWND hDlg)
{
    DeleteCriticalSection(&csChoiceGate);
    PurgeCacheDirectory();
    if (TransferProgress.bTimerRunning) {
        KillTimer(hDlg, STATUS_TIMER_ID);
        TransferProgress.bTimerRunning = 0;
    }
    WriteCloseDialog(IsDlgButtonChecked(hDlg, IDC_DL_CLOSE_WHEN_DONE) == BST_CHECKED ? 1 : 0);
}

INT_PTR CALLBACK DownloadDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LoadOnceStrings(&OnceStrings);
    switch (nMsg) {
    case WM_INITDIALOG:
        return OnInitDialog(hDlg);
    case UM_ASK_LOGIN:
        AskForLogin(hDlg);
        return FALSE;
    case UM_START:
        OnStart(hDlg);
        return FALSE;
    case UM_SIZE_KNOWN:
        OnFirstProgress(hDlg, static_cast<uint32_t>(lParam));
        return FALSE;
    case UM_PROGRESS:
        OnProgress(hDlg, static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam));
        return FALSE;
    case WM_TIMER:
        UpdateTransferStatus(hDlg, TransferProgress.nBytesDone);
        return FALSE;
    case WM_PAINT:
        DrawFillBar(GetDlgItem(hDlg, IDC_DL_BAR));
        return FALSE;
    case UM_ELAPSED:
        OnElapsedTime(hDlg, wParam, lParam);
        return FALSE;
    case UM_FAILURE:
        OnFailure(hDlg, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        return FALSE;
    case UM_ENGINE_FAILED:
        OnEngineFailed(hDlg);
        return FALSE;
    case UM_FINISHED:
        OnFinished(hDlg, static_cast<uint32_t>(wParam));
        return FALSE;
    case WM_COMMAND:
        return OnCommand(hDlg, LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy(hDlg);
        return FALSE;
    default:
        return FALSE;
    }
}
