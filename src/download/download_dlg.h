// The download dialog (dialog 129): drives the whole request.
#ifndef FTPLINK_DOWNLOAD_DLG_H
#define FTPLINK_DOWNLOAD_DLG_H

#include <windows.h>

INT_PTR CALLBACK DownloadDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);

#endif
