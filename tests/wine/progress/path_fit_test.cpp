// Fitting paths into the download dialog's two-line destination control (1009).
#include "wine/progress/dialog_fixture.h"

#include <cstdlib>
#include <vector>

#include "progress/path_shorten.h"
#include "progress/progress_ui.h"

using PathFit = DownloadDialog;

// Measures text the way the control lays it out: its font, word wrapping, its width.
static bool Fits(HWND hStatic, const std::string &strText)
{
    HDC hDc = GetDC(hStatic);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hStatic, WM_GETFONT, 0, 0));
    HGDIOBJ hPrevious = SelectObject(hDc, hFont);
    RECT rcClient;
    GetClientRect(hStatic, &rcClient);
    RECT rcText = rcClient;
    DrawTextA(hDc, strText.c_str(), -1, &rcText, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(hDc, hPrevious);
    ReleaseDC(hStatic, hDc);
    return rcText.bottom - rcText.top <= rcClient.bottom - rcClient.top &&
           rcText.right - rcText.left <= rcClient.right - rcClient.left;
}

static std::vector<std::string> FormsOf(const char *strPath)
{
    std::vector<std::string> forms = {strPath};
    char *strText = strdup(strPath);
    while (ShortenPathOnce(&strText))
        forms.emplace_back(strText);
    free(strText);
    return forms;
}

TEST_F(PathFit, PathThatFitsIsSetUnchanged)
{
    HWND hStatic = GetDlgItem(hDlg, IDC_DL_DESTINATION);
    CompactPathToFit(hStatic, "C:\\WINDOWS\\TEMP\\ftpurls\\readme.txt");
    EXPECT_EQ(Text(IDC_DL_DESTINATION), "C:\\WINDOWS\\TEMP\\ftpurls\\readme.txt");
}

TEST_F(PathFit, LongPathsTakeTheFirstFormThatFits)
{
    HWND hStatic = GetDlgItem(hDlg, IDC_DL_DESTINATION);
    const char *paths[] = {
        // Too tall: wraps at its blanks onto more lines than the control shows.
        "C:\\Documents and Settings\\Some User\\My Documents\\Downloads From The Web\\Archive Of "
        "Old Reports\\Annual Summary Reports\\summary of the year.zip",
        // Too wide: no blank for the word wrap to break at.
        "C:\\DocumentsAndSettings\\SomeUser\\MyDocuments\\DownloadsFromTheWeb\\ArchiveOfOldReports\\"
        "AnnualSummaryReports\\summary.zip",
    };
    for (const char *strPath : paths) {
        CompactPathToFit(hStatic, strPath);
        std::string strShown = Text(IDC_DL_DESTINATION);
        std::vector<std::string> forms = FormsOf(strPath);
        size_t nIndex = 0;
        while (nIndex < forms.size() && forms[nIndex] != strShown)
            ++nIndex;
        ASSERT_LT(nIndex, forms.size()) << strShown;
        EXPECT_GT(nIndex, 0u) << strPath;
        EXPECT_TRUE(Fits(hStatic, strShown)) << strShown;
        EXPECT_FALSE(Fits(hStatic, forms[nIndex - 1])) << forms[nIndex - 1];
    }
}

TEST_F(PathFit, UnshortenableTextIsSetInItsLastForm)
{
    HWND hStatic = GetDlgItem(hDlg, IDC_DL_DESTINATION);
    std::string strName(300, 'n');
    CompactPathToFit(hStatic, ("\\" + strName).c_str());
    EXPECT_EQ(Text(IDC_DL_DESTINATION), "\\" + strName);
    CompactPathToFit(hStatic, ("C:\\" + strName).c_str());
    EXPECT_EQ(Text(IDC_DL_DESTINATION), "...\\" + strName);
}

TEST_F(PathFit, NullPathGivesAnEmptyText)
{
    HWND hStatic = GetDlgItem(hDlg, IDC_DL_DESTINATION);
    SetWindowTextA(hStatic, "stale");
    CompactPathToFit(hStatic, nullptr);
    EXPECT_EQ(Text(IDC_DL_DESTINATION), "");
}
