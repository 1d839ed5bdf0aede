// The download dialog (dialog 129). Opens and closes only, until the controller lands.
#include "download/download_dlg.h"

INT_PTR CALLBACK DownloadDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            EndDialog(hDlg, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
