// What the download dialog calls to show progress: the bar, the live status, the summary,
// the elapsed time and the fitted destination path.
#ifndef FTPLINK_PROGRESS_UI_H
#define FTPLINK_PROGRESS_UI_H

#include <windows.h>
#include <cstdint>

void DrawFillBar(HWND hBar);                                  // paints TransferProgress.nPercent
void UpdateTransferStatus(HWND hDlg, uint32_t nBytesDone);    // the 300 ms timer tick
void ShowCompletionSummary(HWND hDlg);                        // statistics block of a success
void OnElapsedTime(HWND hDlg, WPARAM wParam, LPARAM lParam);  // the UM_ELAPSED handler
void CompactPathToFit(HWND hStatic, const char *strPath);

#endif
