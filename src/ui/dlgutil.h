// Routines every dialog uses: resource strings, message formatting, centring, icons, help.
#ifndef FTPLINK_DLGUTIL_H
#define FTPLINK_DLGUTIL_H

#include <windows.h>

extern HINSTANCE hAppInstance;

char *LoadResString(HINSTANCE hInstance, UINT nId);             // heap text; "" when missing
char *FormatResMessage(const char *strFormat, ...);             // heap text; "" on failure
void CenterWindow(HWND hWnd);
HICON LoadIconImage(HINSTANCE hInstance, UINT nIconId, BOOL bBig);
void SetDialogIcons(HWND hWnd, UINT nIconId);
void ShowHelpTopic(HINSTANCE hInstance, HWND hOwner, UINT nContext);
void ShowHelpForWindow(HWND hWnd, UINT nContext);

// Once-per-process strings: loaded at the owner's first call, released at process exit.
struct ONCE_STRINGS {
    const UINT *pIds;
    int nCount;
    char **pStrings;   // nCount slots
    bool *pLoaded;     // nCount marks
};
void LoadOnceStrings(ONCE_STRINGS *pOnce);

#endif
