// The choice gate: keeps the open-or-save question from running twice and makes the
// download dialog's completion wait for the answer.
#ifndef FTPLINK_CHOICE_GATE_H
#define FTPLINK_CHOICE_GATE_H

#include <windows.h>

#include <cstdint>

extern CRITICAL_SECTION csChoiceGate;   // initialised and deleted by the download dialog
extern volatile LONG bChoiceBusy;
extern HANDLE hChoiceDoneEvent;         // signalled when the question is over
extern HANDLE hTransferDoneEvent;       // signalled by the worker when the file has arrived

// Takes the gate without waiting: false when it is already taken.
bool TryEnterChoiceGate();
// Releases the gate and signals hChoiceDoneEvent when it was taken.
void LeaveChoiceGate();

// True when the event exists and is signalled; never waits.
bool IsEventSignalled(HANDLE hEvent);

// The first size or progress report of an attempt: asks open-or-save and, for saving, where.
void OnFirstProgress(HWND hDlg, uint32_t nTotalSize);

#endif
