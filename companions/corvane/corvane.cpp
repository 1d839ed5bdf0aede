// Stand-in for the product's full FTP client: shows the URL it was started with until closed.
#include <windows.h>

#include "corvane_res.h"

static const char *strStartUrl = "";

static INT_PTR CALLBACK CorvaneDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_CV_URL, strStartUrl);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    if (lpCmdLine)
        strStartUrl = lpCmdLine;
    DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_CORVANE), nullptr, CorvaneDlgProc, 0);
    return 0;
}
