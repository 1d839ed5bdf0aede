// The percentage bar painted onto a visible static control and read back pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "download/transfer_progress.h"
#include "progress/progress_ui.h"
#include "ui/dlgutil.h"

constexpr int BAR_WIDTH = 201;
constexpr int BAR_HEIGHT = 40;
constexpr int PROBE_Y = 35;   // below the label, above the bottom outline
constexpr COLORREF GRAY = RGB(128, 128, 128);
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);

class FillBar : public ::testing::Test {
protected:
    HWND hHost = nullptr;
    HWND hBar = nullptr;

    void SetUp() override
    {
        hAppInstance = GetModuleHandleA(nullptr);
        hHost = CreateWindowExA(WS_EX_TOPMOST, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 260, 80,
                                nullptr, nullptr, hAppInstance, nullptr);
        ASSERT_NE(hHost, nullptr);
        hBar = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 10, BAR_WIDTH,
                               BAR_HEIGHT, hHost, reinterpret_cast<HMENU>(1013), hAppInstance, nullptr);
        ASSERT_NE(hBar, nullptr);
        UpdateWindow(hHost);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(hHost);
        TransferProgress.nPercent = 0;
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    COLORREF Draw(uint32_t nPercent, int x, int y = PROBE_Y)
    {
        TransferProgress.nPercent = nPercent;
        DrawFillBar(hBar);
        GdiFlush();
        HDC hDc = GetWindowDC(hBar);
        COLORREF color = GetPixel(hDc, x, y);
        ReleaseDC(hBar, hDc);
        return color;
    }
    // Left and right end of the label's dark pixels in the band above PROBE_Y, or -1.
    void LabelSpan(COLORREF background, int *pLeft, int *pRight)
    {
        *pLeft = *pRight = -1;
        HDC hDc = GetWindowDC(hBar);
        for (int x = 1; x < BAR_WIDTH - 1; ++x)
            for (int y = 1; y < PROBE_Y - 5; ++y) {
                COLORREF color = GetPixel(hDc, x, y);
                if (color != background && color != CLR_INVALID) {
                    if (*pLeft < 0)
                        *pLeft = x;
                    *pRight = x;
                }
            }
        ReleaseDC(hBar, hDc);
    }
    int LabelExtent(const char *strLabel)
    {
        HDC hDc = GetWindowDC(hBar);
        SIZE size = {};
        GetTextExtentPoint32A(hDc, strLabel, int(strlen(strLabel)), &size);
        ReleaseDC(hBar, hDc);
        return size.cx;
    }
};

TEST_F(FillBar, HalfOf201PixelsIsGrayUpTo100)
{
    struct {
        int x;
        COLORREF color;
    } probes[] = {
        {1, GRAY}, {50, GRAY}, {98, GRAY},
        {99, BLACK},    // right outline of the gray part: it spans 0 to 100
        {100, BLACK},   // left outline of the white part
        {101, WHITE}, {150, WHITE}, {199, WHITE},
        {200, BLACK},
    };
    for (const auto &p : probes)
        EXPECT_EQ(Draw(50, p.x), p.color) << "x = " << p.x;
}

TEST_F(FillBar, EmptyFullAndOverfullBars)
{
    EXPECT_EQ(Draw(0, 1), WHITE);
    EXPECT_EQ(Draw(0, 199), WHITE);
    EXPECT_EQ(Draw(100, 1), GRAY);
    EXPECT_EQ(Draw(100, 199), GRAY);
    EXPECT_EQ(Draw(100, 200), BLACK);   // the gray part's own outline
    // Above 100 the gray part runs past the edge: no outline at the right end.
    EXPECT_EQ(Draw(105, 199), GRAY);
    EXPECT_EQ(Draw(105, 200), GRAY);
    EXPECT_EQ(Draw(4294967295u, 200), GRAY);
    EXPECT_EQ(Draw(99, 196), GRAY);     // 99% of 201 is 198 pixels: outline at 197
    EXPECT_EQ(Draw(99, 197), BLACK);
    EXPECT_EQ(Draw(99, 199), WHITE);
}

TEST_F(FillBar, LabelIsCentredAndReadsCompleteAt100)
{
    int nLeft, nRight;
    Draw(0, 0);
    LabelSpan(WHITE, &nLeft, &nRight);
    int nExtent = LabelExtent("0%");
    ASSERT_GE(nLeft, 0);
    EXPECT_GE(nLeft, (BAR_WIDTH - nExtent) / 2 - 1);
    EXPECT_LE(nRight, (BAR_WIDTH - nExtent) / 2 + nExtent);

    Draw(100, 0);
    LabelSpan(GRAY, &nLeft, &nRight);
    nExtent = LabelExtent("Complete");
    ASSERT_GE(nLeft, 0);
    EXPECT_GT(nRight - nLeft + 1, LabelExtent("100%")) << "label is not \"Complete\"";
    EXPECT_GE(nLeft, (BAR_WIDTH - nExtent) / 2 - 1);
    EXPECT_LE(nRight, (BAR_WIDTH - nExtent) / 2 + nExtent);
}

TEST_F(FillBar, LeavesNothingForTheStaticToPaintAndIgnoresANullHandle)
{
    InvalidateRect(hBar, nullptr, TRUE);
    TransferProgress.nPercent = 42;
    DrawFillBar(hBar);
    RECT rcUpdate;
    EXPECT_FALSE(GetUpdateRect(hBar, &rcUpdate, FALSE));
    DrawFillBar(nullptr);
}

TEST_F(FillBar, HiddenBarDrawsNothingVisibleAndStaysValid)
{
    ShowWindow(hBar, SW_HIDE);
    TransferProgress.nPercent = 50;
    DrawFillBar(hBar);
    RECT rcUpdate;
    EXPECT_FALSE(GetUpdateRect(hBar, &rcUpdate, FALSE));
}
