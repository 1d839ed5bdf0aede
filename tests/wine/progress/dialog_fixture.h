// A modeless download dialog (template 129) with a procedure that does nothing, so the tests
// drive the progress routines against the real controls and font.
#ifndef FTPLINK_TEST_DIALOG_FIXTURE_H
#define FTPLINK_TEST_DIALOG_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "download/transfer_progress.h"
#include "resource.h"
#include "ui/dlgutil.h"

class DownloadDialog : public ::testing::Test {
protected:
    HWND hDlg = nullptr;

    static INT_PTR CALLBACK InertProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    void SetUp() override
    {
        hAppInstance = GetModuleHandleA(nullptr);
        TransferProgress = {};
        hDlg = CreateDialogParamA(hAppInstance, MAKEINTRESOURCEA(IDD_DOWNLOAD), nullptr, InertProc, 0);
        ASSERT_NE(hDlg, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(hDlg);
        TransferProgress = {};
    }
    std::string Text(int nId)
    {
        char strText[4096] = "";
        GetDlgItemTextA(hDlg, nId, strText, sizeof strText);
        return strText;
    }
};

#endif
