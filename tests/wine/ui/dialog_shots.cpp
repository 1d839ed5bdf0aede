// Shows one of the program's dialogs as it first appears, centred with its icons, and prints its
// screen rectangle so tools/screenshot-dialogs.sh can photograph it; closes itself after a while.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "resource.h"
#include "ui/dlgutil.h"

static constexpr UINT_PTR TIMER_REPORT = 1;
static constexpr UINT_PTR TIMER_CLOSE = 2;

static INT_PTR CALLBACK ShotDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        CenterWindow(hDlg);
        SetDialogIcons(hDlg, IDI_APP);
        // The question opens with saving selected; the code, not the template, selects it.
        if (lParam == IDD_CHOICE)
            CheckRadioButton(hDlg, IDC_CH_OPEN, IDC_CH_SAVE, IDC_CH_SAVE);
        SetTimer(hDlg, TIMER_REPORT, 500, nullptr);
        SetTimer(hDlg, TIMER_CLOSE, 5000, nullptr);
        return TRUE;
    case WM_TIMER:
        if (wParam == TIMER_REPORT) {
            KillTimer(hDlg, TIMER_REPORT);
            RECT rc;
            GetWindowRect(hDlg, &rc);
            printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
            fflush(stdout);
        } else {
            EndDialog(hDlg, 0);
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    UINT nDialog = static_cast<UINT>(atoi(argv[1]));
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nDialog), nullptr, ShotDlgProc, nDialog);
    return 0;
}
