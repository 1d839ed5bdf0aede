// Centring on the desktop: half the difference of widths and heights, truncated toward zero.
#include <gtest/gtest.h>

#include "ui/dlgutil.h"

namespace {

struct CenterCase {
    int nExtraWidth;    // window width minus desktop width
    int nExtraHeight;
    int xExpected;
    int yExpected;
};

TEST(CenterWindow, PlacesAtHalfTheDifference)
{
    RECT rcDesktop;
    GetWindowRect(GetDesktopWindow(), &rcDesktop);
    int nDeskWidth = rcDesktop.right - rcDesktop.left;
    int nDeskHeight = rcDesktop.bottom - rcDesktop.top;
    const CenterCase CASES[] = {
        {3, 1, -1, 0},      // -3 / 2 and -1 / 2 truncate toward zero
        {1, 3, 0, -1},
        {0, 0, 0, 0},
        {4, 6, -2, -3},
        {-101, -51, 50, 25},
    };
    for (const CenterCase &c : CASES) {
        int nWidth = nDeskWidth + c.nExtraWidth;
        int nHeight = nDeskHeight + c.nExtraHeight;
        HWND hWnd = CreateWindowExA(0, "Static", "", WS_POPUP, 7, 9, nWidth, nHeight, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hWnd, nullptr);
        CenterWindow(hWnd);
        RECT rc;
        GetWindowRect(hWnd, &rc);
        EXPECT_EQ(rc.left, c.xExpected) << "extra width " << c.nExtraWidth;
        EXPECT_EQ(rc.top, c.yExpected) << "extra height " << c.nExtraHeight;
        EXPECT_EQ(rc.right - rc.left, nWidth) << "extra width " << c.nExtraWidth;
        EXPECT_EQ(rc.bottom - rc.top, nHeight) << "extra height " << c.nExtraHeight;
        DestroyWindow(hWnd);
    }
}

}  // namespace
