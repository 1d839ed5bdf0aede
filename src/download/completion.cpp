// What is done with the downloaded file once it has arrived and the user has chosen.
#include "download/completion.h"

#include "download/download_ctl.h"
#include "download/mod_time.h"
#include "launch/heap_text.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "launch/trace.h"
#include "resource.h"
#include "ui/dlgutil.h"

#include <shellapi.h>

#include <cstring>

bool StampServerTime(const char *strPath, const char *strModTime)
{
    if (!IsNonEmpty(strModTime))
        return false;
    MOD_TIME_FIELDS fields = ParseModTime(strModTime);
    SYSTEMTIME stServer = {fields.wYear, fields.wMonth, fields.wDayOfWeek, fields.wDay,
                           fields.wHour, fields.wMinute, fields.wSecond, fields.wMilliseconds};
    FILETIME ftServer;
    if (!SystemTimeToFileTime(&stServer, &ftServer))
        return false;
    HANDLE hFile = CreateFileA(strPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        TraceMsg("FAILED OPEN %s", strPath);
        return false;
    }
    BOOL bSet = SetFileTime(hFile, &ftServer, &ftServer, &ftServer);
    CloseHandle(hFile);
    return bSet != FALSE;
}

SAVE_OUTCOME MoveDownloadToSavePath(const char *strLocalFile, const char *strSavePath,
                                    const char *strModTime)
{
    if (!IsNonEmpty(strSavePath))
        return SAVE_NOTHING;
    if (!MoveFileExA(strLocalFile, strSavePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return SAVE_MOVE_FAILED;
    StampServerTime(strSavePath, strModTime);
    return SAVE_MOVED;
}

// The file is safe in the cache, and the user must know where.
static void TellMoveFailed(HWND hDlg)
{
    HeapText strFormat(LoadResString(hAppInstance, IDS_SAVE_MOVE_FAILED));
    HeapText strText(FormatResMessage(strFormat.Get(), DownloadRequest.strSavePath,
                                      DownloadRequest.strLocalFile));
    MessageBoxA(hDlg, strText.Get(), nullptr, MB_OK | MB_ICONWARNING);
}

COMPLETION_RESULT RunCompletionAction(HWND hDlg)
{
    switch (DownloadRequest.nChoice) {
    case CHOICE_OPEN:
        ShellExecuteA(nullptr, "open", DownloadRequest.strLocalFile, nullptr, nullptr, SW_SHOW);
        return COMPLETION_DONE;
    case CHOICE_SAVE:
        if (MoveDownloadToSavePath(DownloadRequest.strLocalFile, DownloadRequest.strSavePath,
                                   DownloadRequest.strModTime) == SAVE_MOVE_FAILED) {
            DownloadControl.bKeepCacheFile = true;
            TellMoveFailed(hDlg);
            return COMPLETION_SAVE_FAILED;
        }
        return COMPLETION_DONE;
    case CHOICE_HANDED_OFF:
        EndDialog(hDlg, 1);
        return COMPLETION_ENDED_DIALOG;
    default:
        return COMPLETION_DONE;
    }
}

void OpenSavedFile(HWND hDlg)
{
    ShellExecuteA(nullptr, "open", DownloadRequest.strSavePath, nullptr, nullptr, SW_SHOW);
    PostCancel(hDlg);
}

void OpenSavedFolder(HWND hDlg)
{
    CopyToField(DownloadControl.strWork, sizeof DownloadControl.strWork, DownloadRequest.strSavePath);
    int nSlash = IndexOfLastChar(DownloadControl.strWork, '\\');
    if (nSlash >= 0) {
        DownloadControl.strWork[nSlash] = '\0';
        ShellExecuteA(nullptr, "open", DownloadControl.strWork, nullptr, nullptr, SW_SHOW);
    }
    PostCancel(hDlg);
}
