// What is done with the downloaded file once it has arrived and the user has chosen:
// open it from the cache, or move it to the chosen place with the server's time.
#ifndef FTPLINK_COMPLETION_H
#define FTPLINK_COMPLETION_H

#include <windows.h>

enum SAVE_OUTCOME {
    SAVE_NOTHING,       // no save path: nothing was moved
    SAVE_MOVED,         // the file stands at the save path
    SAVE_MOVE_FAILED,   // the move failed; the download is still the cache file
};

// Moves the cache file over the save path (the user agreed to replace what stands there)
// and gives it the MDTM time when there is one.
SAVE_OUTCOME MoveDownloadToSavePath(const char *strLocalFile, const char *strSavePath,
                                    const char *strModTime);

// Sets creation, last-access and last-write time of the file to the MDTM time (UTC).
// False when the text is empty, names no real date, or the file cannot be opened.
bool StampServerTime(const char *strPath, const char *strModTime);

enum COMPLETION_RESULT {
    COMPLETION_DONE,          // the action ran (or there was none for the choice)
    COMPLETION_SAVE_FAILED,   // the move failed; the user has been told
    COMPLETION_ENDED_DIALOG,  // a handed-off request: the dialog has been ended with 1
};

// Carries out the action for DownloadRequest.nChoice.
COMPLETION_RESULT RunCompletionAction(HWND hDlg);

// The Open and Open folder buttons: open the saved file or its folder, then leave by Cancel.
void OpenSavedFile(HWND hDlg);
void OpenSavedFolder(HWND hDlg);

#endif
