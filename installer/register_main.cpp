// ftplink-register.exe: makes the ftplink.exe in its own folder the current user's ftp: URL
// handler, or takes that away. Arguments: /register (the default) or /unregister, and /quiet.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "launch/strutil.h"
#include "url_handler.h"

// Exit codes. Leaving another program's handler in place is what /unregister should do: done.
enum RegisterExit { EXIT_DONE = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

struct RegisterOptions {
    bool bUnregister = false;
    bool bQuiet = false;
    bool bBadArgument = false;
};

static void ApplyOption(const char *strOption, RegisterOptions *pOptions)
{
    if (strOption[0] != '/' && strOption[0] != '-')
        pOptions->bBadArgument = true;
    else if (lstrcmpiA(strOption + 1, "register") == 0)
        pOptions->bUnregister = false;
    else if (lstrcmpiA(strOption + 1, "unregister") == 0)
        pOptions->bUnregister = true;
    else if (lstrcmpiA(strOption + 1, "quiet") == 0)
        pOptions->bQuiet = true;
    else
        pOptions->bBadArgument = true;
}

static RegisterOptions ParseOptions(const char *strCmdLine)
{
    RegisterOptions options;
    const char *p = strCmdLine;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        char strOption[16];
        size_t nLen = 0;
        for (; *p && *p != ' ' && *p != '\t'; ++p) {
            if (nLen < sizeof(strOption) - 1)
                strOption[nLen] = *p;
            ++nLen;
        }
        if (nLen >= sizeof(strOption)) {
            options.bBadArgument = true;
            continue;
        }
        strOption[nLen] = '\0';
        ApplyOption(strOption, &options);
    }
    return options;
}

// "<folder of this tool>\ftplink.exe"; false when the path does not fit.
static bool FindProgramBeside(char *strExePath, size_t nSize)
{
    char strModule[MAX_PATH];
    DWORD nLen = GetModuleFileNameA(nullptr, strModule, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return false;
    int nSlash = IndexOfLastChar(strModule, '\\');
    if (nSlash < 0)
        return false;
    strModule[nSlash + 1] = '\0';
    int nWritten = snprintf(strExePath, nSize, "%sftplink.exe", strModule);
    return nWritten > 0 && static_cast<size_t>(nWritten) < nSize;
}

static int Report(const RegisterOptions &options, UINT nIcon, int nExit, const char *strFormat, ...)
    __attribute__((format(printf, 4, 5)));

static int Report(const RegisterOptions &options, UINT nIcon, int nExit, const char *strFormat, ...)
{
    if (options.bQuiet)
        return nExit;
    char strMessage[MAX_PATH + 256];
    va_list args;
    va_start(args, strFormat);
    vsnprintf(strMessage, sizeof(strMessage), strFormat, args);
    va_end(args);
    MessageBoxA(nullptr, strMessage, "ftplink", MB_OK | nIcon);
    return nExit;
}

static int Register(const RegisterOptions &options, const char *strExePath)
{
    // A handler that names a missing program would only fail later, in the browser.
    if (GetFileAttributesA(strExePath) == INVALID_FILE_ATTRIBUTES)
        return Report(options, MB_ICONERROR, EXIT_FAILED, "%s was not found: nothing was registered.", strExePath);
    unsigned long dwError = 0;
    if (RegisterFtpHandler(strExePath, &dwError) != HANDLER_DONE)
        return Report(options, MB_ICONERROR, EXIT_FAILED,
                      "ftp:// links could not be registered for\n%s\n(error %lu).", strExePath, dwError);
    return Report(options, MB_ICONINFORMATION, EXIT_DONE, "ftp:// links now open with\n%s", strExePath);
}

static int Unregister(const RegisterOptions &options, const char *strExePath)
{
    unsigned long dwError = 0;
    switch (UnregisterFtpHandler(strExePath, &dwError)) {
    case HANDLER_DONE:
        return Report(options, MB_ICONINFORMATION, EXIT_DONE, "ftp:// links no longer open with\n%s", strExePath);
    case HANDLER_ABSENT:
        return Report(options, MB_ICONINFORMATION, EXIT_DONE, "No program is registered for ftp:// links.");
    case HANDLER_NOT_OURS:
        return Report(options, MB_ICONINFORMATION, EXIT_DONE,
                      "ftp:// links open with another program than\n%s\nThat registration was left as it is.",
                      strExePath);
    case HANDLER_FAILED:
        break;
    }
    return Report(options, MB_ICONERROR, EXIT_FAILED,
                  "The ftp:// registration of\n%s\ncould not be removed (error %lu).", strExePath, dwError);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR strCmdLine, int)
{
    RegisterOptions options = ParseOptions(strCmdLine ? strCmdLine : "");
    if (options.bBadArgument)
        return Report(options, MB_ICONWARNING, EXIT_USAGE, "Usage: ftplink-register [/register | /unregister] [/quiet]");
    char strExePath[MAX_PATH];
    if (!FindProgramBeside(strExePath, sizeof(strExePath)))
        return Report(options, MB_ICONERROR, EXIT_FAILED, "The folder of ftplink-register.exe could not be found.");
    return options.bUnregister ? Unregister(options, strExePath) : Register(options, strExePath);
}
