// The download dialog's own record and the handlers shared between its files.
#ifndef FTPLINK_DOWNLOAD_CTL_H
#define FTPLINK_DOWNLOAD_CTL_H

#include <windows.h>

#include <cstdint>

constexpr UINT_PTR STATUS_TIMER_ID = 1;
constexpr UINT STATUS_TIMER_PERIOD_MS = 300;
constexpr int WORK_BUFFER_CAP = 4096;

struct DOWNLOAD_CONTROL {
    char strWork[WORK_BUFFER_CAP];   // the source line, the hand-off command line, the folder
    bool bAttemptFailed;             // this attempt has ended in failure
    bool bCompleted;                 // the success has been acted on; a repeated report is not
    bool bKeepCacheFile;             // the cache file is the only copy: Cancel must not delete it
};

extern DOWNLOAD_CONTROL DownloadControl;

// Ends the dialog through its Cancel path, after the messages already queued.
void PostCancel(HWND hDlg);
void SetDlgItemResString(HWND hDlg, int nId, UINT nStringId);
void AskForLogin(HWND hDlg);

void OnFinished(HWND hDlg, uint32_t nRetrieved);
void OnFailure(HWND hDlg, uint32_t nClass, uint32_t nDetail);
void OnEngineFailed(HWND hDlg);

#endif
