// The first size or progress report of an attempt: the open-or-save question, the Save As
// dialog for a save, and the release of a success report held back meanwhile.
#include "download/choice_dlg.h"
#include "download/choice_gate.h"
#include "download/download_ctl.h"
#include "download/messages.h"
#include "download/transfer_progress.h"
#include "launch/request.h"
#include "progress/progress_ui.h"
#include "resource.h"

// False when the request is abandoned.
static bool AskForDestination(HWND hDlg)
{
    SetDlgItemResString(hDlg, IDC_DL_STATE, IDS_STATE_DOWNLOADING);
    TransferProgress.bAskPending = 0;
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hDlg, GWLP_HINSTANCE));
    if (!AskOpenOrSave(hInstance))
        return false;
    HWND hDestination = GetDlgItem(hDlg, IDC_DL_DESTINATION);
    if (DownloadRequest.nChoice != CHOICE_SAVE) {
        CompactPathToFit(hDestination, DownloadRequest.strLocalFile);
        return true;
    }
    // A transfer that failed while the question was open leaves nothing to save.
    if (DownloadControl.bAttemptFailed)
        return true;
    if (!PromptSaveAs(hDlg, DownloadRequest.strSavePath))
        return false;
    SetWindowTextA(hDestination, DownloadRequest.strSavePath);
    CompactPathToFit(hDestination, DownloadRequest.strSavePath);
    return true;
}

void OnFirstProgress(HWND hDlg, uint32_t nTotalSize)
{
    if (!TryEnterChoiceGate())
        return;
    TransferProgress.nTotalBytes = nTotalSize;
    ShowWindow(GetDlgItem(hDlg, IDC_DL_BAR), SW_SHOW);
    if (TransferProgress.bAskPending) {
        if (!AskForDestination(hDlg)) {
            PostCancel(hDlg);
            LeaveChoiceGate();
            return;
        }
        if (IsEventSignalled(hTransferDoneEvent))
            PostMessageA(hDlg, UM_FINISHED, 1, 0);
    }
    LeaveChoiceGate();
}
