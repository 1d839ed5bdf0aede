// Routines every dialog uses: resource strings, message formatting, centring, icons and help.
#include "ui/dlgutil.h"

#include <cstdarg>

#include "launch/strutil.h"
#include "ui/help_path.h"

static constexpr int RES_STRING_CAPACITY = 1024;
static constexpr DWORD MESSAGE_CAPACITY = 4096;

char *LoadResString(HINSTANCE hInstance, UINT nId)
{
    char strBuffer[RES_STRING_CAPACITY];
    strBuffer[0] = '\0';
    LoadStringA(hInstance, nId, strBuffer, RES_STRING_CAPACITY);
    return CopyString(strBuffer);
}

char *FormatResMessage(const char *strFormat, ...)
{
    char strBuffer[MESSAGE_CAPACITY];
    strBuffer[0] = '\0';
    va_list args;
    va_start(args, strFormat);
    DWORD nLength = FormatMessageA(FORMAT_MESSAGE_FROM_STRING, strFormat, 0, 0, strBuffer, MESSAGE_CAPACITY, &args);
    va_end(args);
    // A failed format may leave a partial result behind: the caller gets nothing of it.
    if (nLength == 0)
        strBuffer[0] = '\0';
    return CopyString(strBuffer);
}

void CenterWindow(HWND hWnd)
{
    RECT rcDesktop;
    RECT rcWindow;
    GetWindowRect(GetDesktopWindow(), &rcDesktop);
    GetWindowRect(hWnd, &rcWindow);
    int nWidth = rcWindow.right - rcWindow.left;
    int nHeight = rcWindow.bottom - rcWindow.top;
    int x = ((rcDesktop.right - rcDesktop.left) - nWidth) / 2;
    int y = ((rcDesktop.bottom - rcDesktop.top) - nHeight) / 2;
    MoveWindow(hWnd, x, y, nWidth, nHeight, FALSE);
}

HICON LoadIconImage(HINSTANCE hInstance, UINT nIconId, BOOL bBig)
{
    int cx = GetSystemMetrics(bBig ? SM_CXICON : SM_CXSMICON);
    int cy = GetSystemMetrics(bBig ? SM_CYICON : SM_CYSMICON);
    return static_cast<HICON>(LoadImageA(hInstance, MAKEINTRESOURCEA(nIconId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

void SetDialogIcons(HWND hWnd, UINT nIconId)
{
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE));
    SendMessageA(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconImage(hInstance, nIconId, TRUE)));
    SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconImage(hInstance, nIconId, FALSE)));
}

void ShowHelpTopic(HINSTANCE hInstance, HWND hOwner, UINT nContext)
{
    char strModule[HELP_PATH_CAPACITY];
    DWORD nLength = GetModuleFileNameA(hInstance, strModule, HELP_PATH_CAPACITY);
    // A path that filled the buffer was cut, and a cut path names some other folder.
    if (nLength == 0 || nLength >= HELP_PATH_CAPACITY)
        return;
    char strHelpPath[HELP_PATH_CAPACITY];
    if (!BuildHelpPath(strModule, strHelpPath, HELP_PATH_CAPACITY))
        return;
    WinHelpA(hOwner, strHelpPath, HELP_CONTEXT, nContext);
}

void ShowHelpForWindow(HWND hWnd, UINT nContext)
{
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE));
    ShowHelpTopic(hInstance, hWnd, nContext);
}
