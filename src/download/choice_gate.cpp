// The choice gate: a busy flag under a critical section, and the event that ends the wait.
#include "download/choice_gate.h"

CRITICAL_SECTION csChoiceGate;
volatile LONG bChoiceBusy;
HANDLE hChoiceDoneEvent;
HANDLE hTransferDoneEvent;

bool TryEnterChoiceGate()
{
    EnterCriticalSection(&csChoiceGate);
    bool bTaken = !bChoiceBusy;
    if (bTaken)
        bChoiceBusy = 1;
    LeaveCriticalSection(&csChoiceGate);
    return bTaken;
}

void LeaveChoiceGate()
{
    EnterCriticalSection(&csChoiceGate);
    if (bChoiceBusy) {
        bChoiceBusy = 0;
        SetEvent(hChoiceDoneEvent);
    }
    LeaveCriticalSection(&csChoiceGate);
}

bool IsEventSignalled(HANDLE hEvent)
{
    return hEvent && WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0;
}
