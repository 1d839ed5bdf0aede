// Fitting a path into a static control: shortened one component at a time until the text,
// laid out with the control's font and word wrapping, fits its client area.
#include "launch/heap_text.h"
#include "launch/strutil.h"
#include "progress/path_shorten.h"
#include "progress/progress_ui.h"

// Shortens the text while it is taller or wider than the client area, as long as the
// measurement works and a step applies.
static void ShortenUntilFit(HDC hDc, const RECT &rcClient, char **pText)
{
    for (;;) {
        RECT rcText = rcClient;
        if (DrawTextA(hDc, *pText, -1, &rcText, DT_CALCRECT | DT_WORDBREAK) == 0)
            return;
        bool bFits = rcText.bottom - rcText.top <= rcClient.bottom - rcClient.top &&
                     rcText.right - rcText.left <= rcClient.right - rcClient.left;
        if (bFits || !ShortenPathOnce(pText))
            return;
    }
}

void CompactPathToFit(HWND hStatic, const char *strPath)
{
    HeapText strText(CopyString(strPath));
    if (strText.Get() == nullptr) {
        SetWindowTextA(hStatic, NullToEmpty(strPath));
        return;
    }
    HDC hDc = GetDC(hStatic);
    if (hDc != nullptr) {
        HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hStatic, WM_GETFONT, 0, 0));
        HGDIOBJ hPreviousFont = hFont != nullptr ? SelectObject(hDc, hFont) : nullptr;
        RECT rcClient;
        if (GetClientRect(hStatic, &rcClient))
            ShortenUntilFit(hDc, rcClient, &strText.str);
        if (hFont != nullptr)
            SelectObject(hDc, hPreviousFont);
        ReleaseDC(hStatic, hDc);
    }
    SetWindowTextA(hStatic, strText.Get());
}
