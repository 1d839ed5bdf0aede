// The credentials dialog (dialog 132): host, user id and password of the current request.
#ifndef FTPLINK_LOGIN_DLG_H
#define FTPLINK_LOGIN_DLG_H

#include <windows.h>

INT_PTR CALLBACK LoginDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);

#endif
