// The three dialogs created from their templates: controls in place, texts, pictures, tab order, focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_table.h"
#include "resource.h"
#include "ui/dlgutil.h"

namespace {

INT_PTR CALLBACK PlainDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct DialogWindow {
    HWND hDlg;
    explicit DialogWindow(UINT nId)
        : hDlg(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId), nullptr, PlainDlgProc, 0))
    {
    }
    ~DialogWindow()
    {
        if (hDlg)
            DestroyWindow(hDlg);
    }
};

// The dialog manager converts position and size each on its own, so a rectangle's far edges are
// its converted position plus its converted size.
RECT DialogUnitsToPixels(HWND hDlg, int x, int y, int cx, int cy)
{
    RECT rcPos = {x, y, 0, 0};
    RECT rcSize = {cx, cy, 0, 0};
    MapDialogRect(hDlg, &rcPos);
    MapDialogRect(hDlg, &rcSize);
    return {rcPos.left, rcPos.top, rcPos.left + rcSize.left, rcPos.top + rcSize.top};
}

RECT ChildRectInClient(HWND hDlg, HWND hCtl)
{
    RECT rc;
    GetWindowRect(hCtl, &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT *>(&rc), 2);
    return rc;
}

std::string WindowText(HWND hWnd)
{
    char strText[512];
    GetWindowTextA(hWnd, strText, sizeof strText);
    return strText;
}

TEST(Dialogs, ControlsStandWhereTheTemplateSays)
{
    for (const ExpectedDialog &dlg : EXPECTED_DIALOGS) {
        SCOPED_TRACE("dialog " + std::to_string(dlg.nId));
        DialogWindow wnd(dlg.nId);
        ASSERT_NE(wnd.hDlg, nullptr);
        EXPECT_EQ(WindowText(wnd.hDlg), dlg.strCaption);
        EXPECT_EQ(IsWindowVisible(wnd.hDlg) != FALSE, (dlg.dwStyle & WS_VISIBLE) != 0);

        RECT rcClient;
        GetClientRect(wnd.hDlg, &rcClient);
        RECT rcExpected = DialogUnitsToPixels(wnd.hDlg, 0, 0, dlg.cx, dlg.cy);
        EXPECT_EQ(rcClient.right, rcExpected.right);
        EXPECT_EQ(rcClient.bottom, rcExpected.bottom);

        // Child windows come in template order, which is also the tab order.
        HWND hCtl = GetWindow(wnd.hDlg, GW_CHILD);
        for (int i = 0; i < dlg.nControls; ++i, hCtl = GetWindow(hCtl, GW_HWNDNEXT)) {
            const ExpectedControl &ctl = dlg.pControls[i];
            SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(ctl.nId));
            ASSERT_NE(hCtl, nullptr);
            EXPECT_EQ(GetDlgCtrlID(hCtl), ctl.nId);
            char strClass[64];
            GetClassNameA(hCtl, strClass, sizeof strClass);
            EXPECT_STRCASEEQ(strClass, ctl.strClass);
            EXPECT_EQ(IsWindowVisible(hCtl) != FALSE, (ctl.dwStyle & WS_VISIBLE) != 0 && IsWindowVisible(wnd.hDlg));
            EXPECT_EQ((GetWindowLongA(hCtl, GWL_STYLE) & WS_VISIBLE) != 0, (ctl.dwStyle & WS_VISIBLE) != 0);

            RECT rc = ChildRectInClient(wnd.hDlg, hCtl);
            RECT rcWant = DialogUnitsToPixels(wnd.hDlg, ctl.x, ctl.y, ctl.cx, ctl.cy);
            EXPECT_EQ(rc.left, rcWant.left);
            EXPECT_EQ(rc.top, rcWant.top);
            if (ctl.strText) {
                EXPECT_EQ(WindowText(hCtl), ctl.strText);
                EXPECT_EQ(rc.right, rcWant.right);
                EXPECT_EQ(rc.bottom, rcWant.bottom);
            } else {
                // A picture takes the size of its bitmap.
                HBITMAP hBitmap = reinterpret_cast<HBITMAP>(SendMessageA(hCtl, STM_GETIMAGE, IMAGE_BITMAP, 0));
                ASSERT_NE(hBitmap, nullptr);
                BITMAP bm;
                ASSERT_NE(GetObjectA(hBitmap, sizeof bm, &bm), 0);
                EXPECT_EQ(rc.right - rc.left, bm.bmWidth);
                EXPECT_EQ(rc.bottom - rc.top, bm.bmHeight);
                EXPECT_EQ(bm.bmWidth, ctl.nBitmap == IDB_POWERED_BY ? 159 : 97);
                EXPECT_EQ(bm.bmHeight, ctl.nBitmap == IDB_POWERED_BY ? 48 : 203);
            }
        }
        EXPECT_EQ(hCtl, nullptr) << "more controls than expected";
    }
}

TEST(Dialogs, TabOrderFollowsTheTemplate)
{
    struct {
        UINT nDialog;
        std::vector<int> nTabStops;
    } const ORDERS[] = {
        {IDD_DOWNLOAD, {IDC_DL_OPEN, IDCANCEL, IDC_DL_CLOSE_WHEN_DONE, IDC_DL_OPEN_FOLDER, IDC_HELP_BUTTON}},
        {IDD_CHOICE, {IDOK, IDCANCEL, IDC_HELP_BUTTON}},
        {IDD_LOGIN, {IDC_LG_PASSWORD, IDOK, IDCANCEL, IDC_LG_HOST, IDC_LG_USERID}},
    };
    for (const auto &order : ORDERS) {
        SCOPED_TRACE("dialog " + std::to_string(order.nDialog));
        DialogWindow wnd(order.nDialog);
        ASSERT_NE(wnd.hDlg, nullptr);
        HWND hFirst = GetNextDlgTabItem(wnd.hDlg, nullptr, FALSE);
        HWND hCtl = hFirst;
        for (int nId : order.nTabStops) {
            ASSERT_NE(hCtl, nullptr);
            EXPECT_EQ(GetDlgCtrlID(hCtl), nId);
            hCtl = GetNextDlgTabItem(wnd.hDlg, hCtl, FALSE);
        }
        EXPECT_EQ(hCtl, hFirst) << "the tab order wraps after the last stop";
    }
}

TEST(Dialogs, BarSurfaceIsHiddenAtFirst)
{
    DialogWindow wnd(IDD_DOWNLOAD);
    ASSERT_NE(wnd.hDlg, nullptr);
    HWND hBar = GetDlgItem(wnd.hDlg, IDC_DL_BAR);
    ASSERT_NE(hBar, nullptr);
    EXPECT_FALSE(IsWindowVisible(hBar));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(wnd.hDlg, IDC_DL_STATE)));
}

INT_PTR CALLBACK FocusProbeProc(HWND hDlg, UINT nMsg, WPARAM, LPARAM)
{
    switch (nMsg) {
    case WM_INITDIALOG:
        PostMessageA(hDlg, WM_APP, 0, 0);
        return TRUE;
    case WM_APP:
        EndDialog(hDlg, GetDlgCtrlID(GetFocus()));
        return TRUE;
    }
    return FALSE;
}

TEST(Dialogs, CredentialsOpenWithFocusInThePasswordBox)
{
    INT_PTR nFocusId = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LOGIN), nullptr, FocusProbeProc, 0);
    EXPECT_EQ(nFocusId, IDC_LG_PASSWORD);
}

TEST(Dialogs, PasswordBoxMasksWhatIsTyped)
{
    DialogWindow wnd(IDD_LOGIN);
    ASSERT_NE(wnd.hDlg, nullptr);
    EXPECT_NE(SendDlgItemMessageA(wnd.hDlg, IDC_LG_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(wnd.hDlg, IDC_LG_USERID, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST(Dialogs, IconsSetAsBigAndSmall)
{
    DialogWindow wnd(IDD_CHOICE);
    ASSERT_NE(wnd.hDlg, nullptr);
    SetDialogIcons(wnd.hDlg, IDI_APP);
    struct {
        WPARAM nKind;
        int nMetricX;
    } const KINDS[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto &kind : KINDS) {
        HICON hIcon = reinterpret_cast<HICON>(SendMessageA(wnd.hDlg, WM_GETICON, kind.nKind, 0));
        ASSERT_NE(hIcon, nullptr) << "kind " << kind.nKind;
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(hIcon, &info));
        BITMAP bm;
        GetObjectA(info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, GetSystemMetrics(kind.nMetricX)) << "kind " << kind.nKind;
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
}

TEST(Dialogs, IconImagesLoadAtBothSizes)
{
    HINSTANCE hSelf = GetModuleHandleA(nullptr);
    HICON hBig = LoadIconImage(hSelf, IDI_APP, TRUE);
    HICON hSmall = LoadIconImage(hSelf, IDI_APP, FALSE);
    EXPECT_NE(hBig, nullptr);
    EXPECT_NE(hSmall, nullptr);
    EXPECT_NE(hBig, hSmall);
    EXPECT_EQ(LoadIconImage(hSelf, 4711, TRUE), nullptr);
    DestroyIcon(hBig);
    DestroyIcon(hSmall);
}

}  // namespace
