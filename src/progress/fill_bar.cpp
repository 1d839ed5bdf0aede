// The percentage bar: a static control painted with GDI from TransferProgress.nPercent.
#include <cstring>

#include "download/transfer_progress.h"
#include "launch/heap_text.h"
#include "launch/trace.h"
#include "progress/progress_ui.h"
#include "progress/status_text.h"
#include "resource.h"
#include "ui/dlgutil.h"

constexpr int LABEL_CAP = 80;
constexpr int LABEL_WIDTH_FALLBACK = 20;

void DrawFillBar(HWND hBar)
{
    if (hBar == nullptr)
        return;
    HDC hDc = GetWindowDC(hBar);
    if (hDc != nullptr) {
        RECT rcBar = {};
        GetClientRect(hBar, &rcBar);
        int nWidth = rcBar.right;
        int nHeight = rcBar.bottom;
        uint32_t nPercent = TransferProgress.nPercent;

        HGDIOBJ hPrevious = SelectObject(hDc, GetStockObject(GRAY_BRUSH));
        int nDone = FillBarWidth(nPercent, nWidth);
        if (nDone > 0)
            Rectangle(hDc, 0, 0, nDone, nHeight);
        SelectObject(hDc, GetStockObject(WHITE_BRUSH));
        Rectangle(hDc, nDone, 0, nWidth, nHeight);
        SelectObject(hDc, hPrevious);
        SetBkMode(hDc, TRANSPARENT);

        char strLabel[LABEL_CAP];
        if (nPercent == 100) {
            HeapText strComplete(LoadResString(hAppInstance, IDS_BAR_COMPLETE));
            FormatBarLabel(strLabel, sizeof strLabel, nPercent, strComplete.Get());
        } else {
            FormatBarLabel(strLabel, sizeof strLabel, nPercent, nullptr);
        }
        int nLength = int(strlen(strLabel));
        SIZE sizeLabel = {};
        if (!GetTextExtentPoint32A(hDc, strLabel, nLength, &sizeLabel)) {
            TraceMsg("DrawFillBar GetTextExtentPoint32 FAILED");
            sizeLabel.cx = LABEL_WIDTH_FALLBACK;
        }
        TextOutA(hDc, (nWidth - sizeLabel.cx) / 2, 0, strLabel, nLength);
        ReleaseDC(hBar, hDc);
    }
    // The static control's own painting must never cover the bar.
    ValidateRect(hBar, nullptr);
}
