// The open-or-save question (dialog 130) and the Save As dialog that follows a save.
#ifndef FTPLINK_CHOICE_DLG_H
#define FTPLINK_CHOICE_DLG_H

#include <windows.h>

INT_PTR CALLBACK ChoiceDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);

// 1 when the user pressed OK (nChoice is then set), 0 when the question was cancelled or
// could not be shown.
int AskOpenOrSave(HINSTANCE hInstance);

// Non-zero when a path was chosen into strPath (REQ_FILE_CAP bytes); 0 otherwise.
BOOL PromptSaveAs(HWND hOwner, char *strPath);

#endif
