// The three dialog templates as the program expects them: every control in tab order.
#ifndef FTPLINK_TESTS_DIALOG_TABLE_H
#define FTPLINK_TESTS_DIALOG_TABLE_H

#include <windows.h>

struct ExpectedControl {
    int nId;
    const char *strClass;
    const char *strText;   // null for a picture, which names nBitmap instead
    DWORD dwStyle;
    int x, y, cx, cy;
    UINT nBitmap;
};

struct ExpectedDialog {
    UINT nId;
    const char *strCaption;
    DWORD dwStyle;
    int cx, cy;
    const ExpectedControl *pControls;
    int nControls;
};

extern const ExpectedDialog EXPECTED_DIALOGS[3];

#endif
