// The credentials dialog: edits host, user id and password of the request in place, only on OK.
#include "ui/login_dlg.h"

#include "launch/request.h"
#include "resource.h"
#include "ui/dlgutil.h"

static BOOL OnLoginInit(HWND hDlg)
{
    CenterWindow(hDlg);
    SetDialogIcons(hDlg, IDI_APP);
    SetDlgItemTextA(hDlg, IDC_LG_USERID, DownloadRequest.strUserId);
    SetDlgItemTextA(hDlg, IDC_LG_PASSWORD, DownloadRequest.strPassword);
    SetDlgItemTextA(hDlg, IDC_LG_HOST, DownloadRequest.strHost);
    // TRUE leaves the focus on the first tab stop of the template: the password box.
    return TRUE;
}

static void OnLoginOk(HWND hDlg)
{
    GetDlgItemTextA(hDlg, IDC_LG_USERID, DownloadRequest.strUserId, REQ_LOGIN_CAP);
    GetDlgItemTextA(hDlg, IDC_LG_PASSWORD, DownloadRequest.strPassword, REQ_LOGIN_CAP);
    GetDlgItemTextA(hDlg, IDC_LG_HOST, DownloadRequest.strHost, REQ_HOST_CAP);
    EndDialog(hDlg, 1);
}

INT_PTR CALLBACK LoginDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        return OnLoginInit(hDlg);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnLoginOk(hDlg);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
