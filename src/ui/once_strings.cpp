// Strings needed on every status update: loaded at their owner's first call, released at process exit.
#include <cstdlib>

#include "ui/dlgutil.h"

// Slots whose release is still due, in registration order. Each exit action releases the newest
// one, and the run-time calls exit actions newest first, so every action meets its own slot.
static constexpr int MAX_ONCE_STRINGS = 32;
static char **pPendingSlots[MAX_ONCE_STRINGS];
static int nPendingSlots;

static void ReleaseNewestOnceString()
{
    char **pSlot = pPendingSlots[--nPendingSlots];
    free(*pSlot);
    *pSlot = nullptr;
}

void LoadOnceStrings(ONCE_STRINGS *pOnce)
{
    for (int i = 0; i < pOnce->nCount; ++i) {
        if (pOnce->pLoaded[i])
            continue;
        pOnce->pLoaded[i] = true;
        pOnce->pStrings[i] = LoadResString(hAppInstance, pOnce->pIds[i]);
        // Beyond the table's room a string simply lives until the process ends.
        if (nPendingSlots < MAX_ONCE_STRINGS && atexit(ReleaseNewestOnceString) == 0)
            pPendingSlots[nPendingSlots++] = &pOnce->pStrings[i];
    }
}
