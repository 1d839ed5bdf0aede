// The dialog robot: reads one command a line from stdin, acts on other programs' windows and
// prints one answer a line ("ok ..." or "error ..."), so a test script can drive the dialogs.
//
// A window is named by its exact title, or by "#<id>": a visible top-level window that holds a
// control with that id. Fields are separated by tabs:
//   list                      visible top-level windows: "<hwnd>\t<class>\t<title>" lines, then "end"
//   wait   WIN MS             waits until the window exists: "ok <hwnd>" or "error timeout"
//   gone   WIN MS             waits until it no longer exists
//   dump   WIN                its controls: "<id>\t<class>\t<visible>\t<enabled>\t<text>" lines, then "end"
//   text   WIN ID             "ok <text of the control>" (line breaks shown as \n)
//   title  WIN                "ok <title of the window>"
//   state  WIN ID             "ok <checked> <enabled> <visible>"
//   click  WIN ID             posts BM_CLICK to the button
//   settext WIN ID TEXT       sets the control's text (the Save As name box takes it this way)
//   close  WIN                posts WM_CLOSE
//   cpu    WIN                "ok <user> <kernel>": CPU time of the window's thread, 100 ns units
//   temppath                  "ok <the temporary directory that programs of this prefix use>"
//   quit
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT SEND_TIMEOUT_MS = 2000;
constexpr DWORD POLL_MS = 50;

struct FIND_CONTEXT {
    const std::string *pName;
    HWND hFound;
};

std::string WindowText(HWND hWnd)
{
    char strText[4096] = {};
    DWORD_PTR nResult = 0;
    if (!SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof strText, reinterpret_cast<LPARAM>(strText),
                             SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &nResult))
        GetWindowTextA(hWnd, strText, sizeof strText);
    return strText;
}

std::string ClassOf(HWND hWnd)
{
    char strClass[256] = {};
    GetClassNameA(hWnd, strClass, sizeof strClass);
    return strClass;
}

struct CHILD_SEARCH {
    int nId;
    HWND hFound;
};

BOOL CALLBACK FindChildById(HWND hChild, LPARAM lParam)
{
    auto *pSearch = reinterpret_cast<CHILD_SEARCH *>(lParam);
    if (GetDlgCtrlID(hChild) == pSearch->nId) {
        pSearch->hFound = hChild;
        return FALSE;
    }
    return TRUE;
}

// A direct child first: dialogs nest controls that reuse ids (Save As holds a list view with id 1).
HWND FindControl(HWND hWnd, int nId)
{
    if (HWND hDirect = GetDlgItem(hWnd, nId))
        return hDirect;
    CHILD_SEARCH search = {nId, nullptr};
    EnumChildWindows(hWnd, FindChildById, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

bool Matches(HWND hWnd, const std::string &strName)
{
    if (!IsWindowVisible(hWnd))
        return false;
    if (!strName.empty() && strName[0] == '#')
        return FindControl(hWnd, atoi(strName.c_str() + 1)) != nullptr;
    char strTitle[1024] = {};
    GetWindowTextA(hWnd, strTitle, sizeof strTitle);
    return strName == strTitle;
}

BOOL CALLBACK FindTopLevel(HWND hWnd, LPARAM lParam)
{
    auto *pContext = reinterpret_cast<FIND_CONTEXT *>(lParam);
    if (Matches(hWnd, *pContext->pName)) {
        pContext->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowByName(const std::string &strName)
{
    FIND_CONTEXT context = {&strName, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&context));
    return context.hFound;
}

HWND WaitForWindow(const std::string &strName, DWORD dwTimeoutMs, bool bWantGone)
{
    DWORD dwStart = GetTickCount();
    for (;;) {
        HWND hWnd = FindWindowByName(strName);
        if ((hWnd != nullptr) != bWantGone)
            return hWnd ? hWnd : reinterpret_cast<HWND>(1);
        if (GetTickCount() - dwStart >= dwTimeoutMs)
            return nullptr;
        Sleep(POLL_MS);
    }
}

std::string Escaped(const std::string &str)
{
    std::string strOut;
    for (char ch : str) {
        if (ch == '\n')
            strOut += "\\n";
        else if (ch == '\r')
            strOut += "\\r";
        else if (ch == '\t')
            strOut += "\\t";
        else
            strOut += ch;
    }
    return strOut;
}

BOOL CALLBACK ListTopLevel(HWND hWnd, LPARAM)
{
    if (IsWindowVisible(hWnd)) {
        char strTitle[1024] = {};
        GetWindowTextA(hWnd, strTitle, sizeof strTitle);
        printf("%p\t%s\t%s\n", static_cast<void *>(hWnd), ClassOf(hWnd).c_str(), Escaped(strTitle).c_str());
    }
    return TRUE;
}

BOOL CALLBACK DumpChild(HWND hChild, LPARAM)
{
    printf("%d\t%s\t%d\t%d\t%s\n", GetDlgCtrlID(hChild), ClassOf(hChild).c_str(), IsWindowVisible(hChild) ? 1 : 0,
           IsWindowEnabled(hChild) ? 1 : 0, Escaped(WindowText(hChild)).c_str());
    return TRUE;
}

std::vector<std::string> SplitFields(const std::string &strLine)
{
    std::vector<std::string> fields;
    size_t nStart = 0;
    for (;;) {
        size_t nTab = strLine.find('\t', nStart);
        fields.push_back(strLine.substr(nStart, nTab == std::string::npos ? std::string::npos : nTab - nStart));
        if (nTab == std::string::npos)
            return fields;
        nStart = nTab + 1;
    }
}

uint64_t ToUnits(const FILETIME &ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// Runs one command; false on "quit".
bool RunCommand(const std::vector<std::string> &args)
{
    const std::string &strCmd = args[0];
    if (strCmd == "quit")
        return false;
    if (strCmd == "temppath") {
        char strTemp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof strTemp, strTemp);
        printf("ok %s\n", strTemp);
        return true;
    }
    if (strCmd == "list") {
        EnumWindows(ListTopLevel, 0);
        printf("end\n");
        return true;
    }
    if (args.size() < 2) {
        printf("error usage\n");
        return true;
    }
    if (strCmd == "wait" || strCmd == "gone") {
        DWORD dwTimeout = args.size() > 2 ? static_cast<DWORD>(atol(args[2].c_str())) : 5000;
        HWND hWnd = WaitForWindow(args[1], dwTimeout, strCmd == "gone");
        if (hWnd)
            printf("ok %p\n", static_cast<void *>(hWnd));
        else
            printf("error timeout\n");
        return true;
    }
    HWND hWnd = FindWindowByName(args[1]);
    if (!hWnd) {
        printf("error no window\n");
        return true;
    }
    if (strCmd == "dump") {
        EnumChildWindows(hWnd, DumpChild, 0);
        printf("end\n");
        return true;
    }
    if (strCmd == "title") {
        printf("ok %s\n", Escaped(WindowText(hWnd)).c_str());
        return true;
    }
    if (strCmd == "close") {
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        printf("ok\n");
        return true;
    }
    if (strCmd == "cpu") {
        DWORD dwThreadId = GetWindowThreadProcessId(hWnd, nullptr);
        HANDLE hThread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, dwThreadId);
        FILETIME ftCreate, ftExit, ftKernel, ftUser;
        if (!hThread || !GetThreadTimes(hThread, &ftCreate, &ftExit, &ftKernel, &ftUser)) {
            printf("error %lu\n", GetLastError());
        } else {
            printf("ok %llu %llu\n", static_cast<unsigned long long>(ToUnits(ftUser)),
                   static_cast<unsigned long long>(ToUnits(ftKernel)));
        }
        if (hThread)
            CloseHandle(hThread);
        return true;
    }
    if (args.size() < 3) {
        printf("error usage\n");
        return true;
    }
    HWND hControl = FindControl(hWnd, atoi(args[2].c_str()));
    if (!hControl) {
        printf("error no control\n");
        return true;
    }
    if (strCmd == "text") {
        printf("ok %s\n", Escaped(WindowText(hControl)).c_str());
    } else if (strCmd == "state") {
        LRESULT nChecked = SendMessageA(hControl, BM_GETCHECK, 0, 0);
        printf("ok %d %d %d\n", static_cast<int>(nChecked), IsWindowEnabled(hControl) ? 1 : 0,
               IsWindowVisible(hControl) ? 1 : 0);
    } else if (strCmd == "click") {
        PostMessageA(hControl, BM_CLICK, 0, 0);
        printf("ok\n");
    } else if (strCmd == "settext" && args.size() > 3) {
        DWORD_PTR nResult = 0;
        SendMessageTimeoutA(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str()), SMTO_ABORTIFHUNG,
                            SEND_TIMEOUT_MS, &nResult);
        printf("ok\n");
    } else {
        printf("error unknown command\n");
    }
    return true;
}

} // namespace

int main()
{
    char strLine[8192];
    while (fgets(strLine, sizeof strLine, stdin)) {
        size_t nLen = strlen(strLine);
        while (nLen > 0 && (strLine[nLen - 1] == '\n' || strLine[nLen - 1] == '\r'))
            strLine[--nLen] = '\0';
        if (nLen == 0)
            continue;
        bool bGoOn = RunCommand(SplitFields(strLine));
        fflush(stdout);
        if (!bGoOn)
            break;
    }
    return 0;
}
