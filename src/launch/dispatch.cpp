// The dispatch of one command line: the download dialog for a path, the full client for a
// host alone, help for anything else.
#include "launch/dispatch.h"

#include "download/download_dlg.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "launch/trace.h"
#include "resource.h"
#include "ui/dlgutil.h"

constexpr int EXIT_NOTHING_TO_DOWNLOAD = 2;
// wsprintfA writes at most this many bytes with the terminator.
constexpr int COMMAND_TEXT_CAP = 1024;

static int ShowNothingHelp(HINSTANCE hInstance)
{
    ShowHelpTopic(hInstance, nullptr, HELP_CONTEXT_NOTHING);
    return EXIT_NOTHING_TO_DOWNLOAD;
}

// The raw command line is passed on, not the decoded one: the client decodes it itself.
static void StartFullClient(const char *strCmdLine)
{
    char strCommand[COMMAND_TEXT_CAP];
    wsprintfA(strCommand, "corvane.exe %s", strCmdLine);
    TraceMsg("WinExec'ing %s", strCommand);
    WinExec(strCommand, SW_SHOW);
}

int HandleUrl(const char *strCmdLine, HINSTANCE hInstance)
{
    if (!IsNonEmpty(strCmdLine))
        return ShowNothingHelp(hInstance);
    ParseFtpUrl(strCmdLine);
    if (IsNonEmpty(DownloadRequest.strRemotePath)) {
        return static_cast<int>(
            DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_DOWNLOAD), nullptr, DownloadDlgProc, 0));
    }
    if (IsNonEmpty(DownloadRequest.strHost)) {
        StartFullClient(strCmdLine);
        return EXIT_NOTHING_TO_DOWNLOAD;
    }
    return ShowNothingHelp(hInstance);
}
