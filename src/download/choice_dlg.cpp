// The open-or-save question (dialog 130).
#include "download/choice_dlg.h"

#include "launch/heap_text.h"
#include "launch/request.h"
#include "launch/trace.h"
#include "resource.h"
#include "ui/dlgutil.h"

static BOOL OnChoiceInit(HWND hDlg)
{
    HeapText strFormat(LoadResString(hAppInstance, IDS_SOURCE_LINE));
    TraceMsg("strFSource=%s", strFormat.Get());
    CenterWindow(hDlg);
    CheckRadioButton(hDlg, IDC_CH_OPEN, IDC_CH_SAVE, IDC_CH_SAVE);
    SetDialogIcons(hDlg, IDI_APP);
    HeapText strSource(FormatResMessage(strFormat.Get(), DownloadRequest.strRemoteFile, DownloadRequest.strHost));
    TraceMsg("strSource=%s", strSource.Get());
    SetDlgItemTextA(hDlg, IDC_CH_SOURCE, strSource.Get());
    return TRUE;
}

INT_PTR CALLBACK ChoiceDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    if (nMsg == WM_INITDIALOG)
        return OnChoiceInit(hDlg);
    if (nMsg != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        DownloadRequest.nChoice = IsDlgButtonChecked(hDlg, IDC_CH_OPEN) ? CHOICE_OPEN : CHOICE_SAVE;
        EndDialog(hDlg, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, 0);
        return TRUE;
    case IDC_HELP_BUTTON:
        ShowHelpForWindow(hDlg, HELP_CONTEXT_CHOICE);
        return TRUE;
    default:
        return FALSE;
    }
}

int AskOpenOrSave(HINSTANCE hInstance)
{
    // A question that could not be shown (-1) is no answer: it abandons like Cancel.
    return DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_CHOICE), nullptr, ChoiceDlgProc, 0) == 1 ? 1 : 0;
}
