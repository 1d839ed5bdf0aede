// The recorder: appends its own full command line as one line to the file that
// FTPLINK_RECORD_FILE names, and exits 0. Tests place it where a program would be started.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char strRecordFile[MAX_PATH];
    DWORD nLen = GetEnvironmentVariableA("FTPLINK_RECORD_FILE", strRecordFile, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return 0;
    HANDLE hFile = CreateFileA(strRecordFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    const char *strCmdLine = GetCommandLineA();
    DWORD nWritten = 0;
    WriteFile(hFile, strCmdLine, static_cast<DWORD>(strlen(strCmdLine)), &nWritten, nullptr);
    WriteFile(hFile, "\n", 1, &nWritten, nullptr);
    CloseHandle(hFile);
    return 0;
}
