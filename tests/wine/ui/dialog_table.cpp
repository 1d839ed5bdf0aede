// Expected rows of dialogs 129, 130 and 132: ids, classes, texts, styles and rectangles in dialog units.
#include "dialog_table.h"

#include "resource.h"

namespace {

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD PUSH = CHILD | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD DEFPUSH = CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD CHECK = CHILD | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD RADIO = CHILD | BS_AUTORADIOBUTTON;
constexpr DWORD TEXT = CHILD | SS_LEFT | WS_GROUP;
constexpr DWORD BAR = WS_CHILD | SS_CENTER | WS_GROUP;
constexpr DWORD PICTURE = CHILD | SS_BITMAP;
constexpr DWORD EDIT = CHILD | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD DIALOG = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const ExpectedControl DOWNLOAD_CONTROLS[] = {
    {1005, "Button", "&Open", PUSH, 27, 177, 50, 14, 0},
    {2, "Button", "Cancel", PUSH, 139, 177, 50, 14, 0},
    {1012, "Static", "Initializing...", TEXT, 7, 53, 259, 8, 0},
    {1004, "Static", "", TEXT, 7, 66, 259, 24, 0},
    {1014, "Static", "Progress: ", TEXT, 7, 109, 55, 8, 0},
    {-1, "Static", "Download to: ", TEXT, 7, 121, 54, 8, 0},
    {-1, "Static", "Transfer rate: ", TEXT, 7, 143, 45, 8, 0},
    {1000, "Button", "&Close this dialog box when download completes ", CHECK, 7, 159, 191, 10, 0},
    {1008, "Static", "unknown", TEXT, 74, 109, 192, 8, 0},
    {1009, "Static", "", TEXT, 74, 121, 192, 16, 0},
    {1010, "Static", "", TEXT, 74, 143, 192, 8, 0},
    {1003, "Button", "Open &folder", PUSH, 83, 177, 50, 14, 0},
    {1013, "Static", "", BAR, 7, 94, 259, 11, 0},
    {-1, "Static", nullptr, PICTURE, 7, 17, 117, 31, IDB_POWERED_BY},
    {9, "Button", "&Help", PUSH, 195, 177, 50, 14, 0},
    {-1, "Static", "Powered by:", TEXT, 7, 7, 60, 8, 0},
};

const ExpectedControl CHOICE_CONTROLS[] = {
    {1, "Button", "OK", DEFPUSH, 84, 145, 50, 14, 0},
    {2, "Button", "Cancel", PUSH, 144, 145, 50, 14, 0},
    {9, "Button", "&Help", PUSH, 204, 145, 50, 14, 0},
    {-1, "Static", "You have chosen to download a file from this location. ", TEXT, 82, 7, 173, 8, 0},
    {1016, "Static", "", TEXT, 86, 25, 169, 32, 0},
    {-1, "Static", "What would you like to do with this file? ", TEXT, 84, 72, 127, 8, 0},
    {1001, "Button", "&Open this file from its current location ", RADIO, 84, 83, 133, 10, 0},
    {1002, "Button", "&Save this file to disk ", RADIO, 84, 96, 81, 10, 0},
    {-1, "Static", nullptr, PICTURE, 7, 7, 65, 125, IDB_CHOICE_SIDEBAR},
};

const ExpectedControl LOGIN_CONTROLS[] = {
    {-1, "Static", "&Password: ", TEXT, 7, 48, 36, 8, 0},
    {1007, "Edit", "", EDIT | ES_PASSWORD, 49, 45, 95, 14, 0},
    {1, "Button", "OK", DEFPUSH, 156, 27, 50, 14, 0},
    {2, "Button", "Cancel", PUSH, 156, 44, 50, 14, 0},
    {-1, "Static", "&Hostname: ", TEXT, 7, 10, 37, 8, 0},
    {1011, "Edit", "", EDIT, 49, 7, 157, 14, 0},
    {-1, "Static", "&UserID: ", TEXT, 7, 29, 27, 8, 0},
    {1006, "Edit", "", EDIT, 49, 26, 95, 14, 0},
};

template <size_t N>
constexpr int Count(const ExpectedControl (&)[N])
{
    return static_cast<int>(N);
}

}  // namespace

const ExpectedDialog EXPECTED_DIALOGS[3] = {
    {IDD_DOWNLOAD, "Tessaloft Pro File Download", DIALOG | WS_VISIBLE, 273, 198, DOWNLOAD_CONTROLS,
     Count(DOWNLOAD_CONTROLS)},
    {IDD_CHOICE, "Tessaloft Pro File Download ", DIALOG | WS_VISIBLE, 262, 166, CHOICE_CONTROLS,
     Count(CHOICE_CONTROLS)},
    {IDD_LOGIN, "User information", DIALOG, 213, 66, LOGIN_CONTROLS, Count(LOGIN_CONTROLS)},
};
