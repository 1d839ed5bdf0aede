// Test driver of skelmer.dll: runs a script of engine calls from its arguments through the import
// library (by ordinal) and prints each result on a line; counts the progress messages it is posted.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "skelmer.h"

namespace {

constexpr UINT UM_PROGRESS = 1034;
constexpr int CREATE_VALUE = 4;

// Reply texts hold line breaks; one result per output line keeps the test's parsing simple.
std::string Escaped(const char *str)
{
    std::string strOut;
    for (const char *p = str != nullptr ? str : "(null)"; *p != '\0'; ++p) {
        if (*p == '\r')
            strOut += "\\r";
        else if (*p == '\n')
            strOut += "\\n";
        else
            strOut += *p;
    }
    return strOut;
}

// Command lines cannot carry line breaks reliably: "<CR>" and "<LF>" in an argument stand for them.
std::string Unescaped(const char *str)
{
    std::string strOut(str);
    for (const auto &[strToken, cValue] : {std::pair<const char *, char>{"<CR>", '\r'}, {"<LF>", '\n'}}) {
        for (size_t nPos = strOut.find(strToken); nPos != std::string::npos; nPos = strOut.find(strToken, nPos + 1))
            strOut.replace(nPos, 4, 1, cValue);
    }
    return strOut;
}

struct ProgressCount {
    unsigned nMessages = 0;
    DWORD dwFirstDone = 0, dwLastDone = 0;
    LONG nFirstTotal = 0, nLastTotal = 0;
    bool bNonDecreasing = true;
};

// The engine posts; nothing is sent. Messages wait in this thread's queue until the call returns.
ProgressCount DrainProgress(HWND hWnd)
{
    ProgressCount count;
    MSG msg;
    while (PeekMessageA(&msg, hWnd, UM_PROGRESS, UM_PROGRESS, PM_REMOVE)) {
        DWORD dwDone = static_cast<DWORD>(msg.wParam);
        LONG nTotal = static_cast<LONG>(msg.lParam);
        if (count.nMessages == 0) {
            count.dwFirstDone = dwDone;
            count.nFirstTotal = nTotal;
        } else if (dwDone < count.dwLastDone) {
            count.bNonDecreasing = false;
        }
        count.dwLastDone = dwDone;
        count.nLastTotal = nTotal;
        ++count.nMessages;
    }
    return count;
}

void PrintUsage(HANDLE hProcess, const char *strLabel)
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&pmc), sizeof pmc);
    DWORD dwHandles = 0;
    GetProcessHandleCount(hProcess, &dwHandles);
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    GetProcessTimes(hProcess, &ftCreate, &ftExit, &ftKernel, &ftUser);
    ULONGLONG nKernel = (static_cast<ULONGLONG>(ftKernel.dwHighDateTime) << 32) | ftKernel.dwLowDateTime;
    ULONGLONG nUser = (static_cast<ULONGLONG>(ftUser.dwHighDateTime) << 32) | ftUser.dwLowDateTime;
    // Wine counts no handles; the value of a fresh handle shows leaks too, since the lowest free
    // slot is reused.
    HANDLE hProbe = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(hProbe);
    printf("%s\t0\thandles=%lu\tnext_handle=%llu\tpagefile=%llu\tpeak_working_set=%llu\tpeak_pagefile=%llu\tcpu_ms=%llu\n",
           strLabel, static_cast<unsigned long>(dwHandles),
           static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hProbe)),
           static_cast<unsigned long long>(pmc.PagefileUsage),
           static_cast<unsigned long long>(pmc.PeakWorkingSetSize), static_cast<unsigned long long>(pmc.PeakPagefileUsage),
           (nKernel + nUser) / 10000);
}

// Create/destroy cycles, or full sessions when a server is given: nothing may be left behind.
void RunCycles(HWND hWnd, int nCycles, int nArgs, char **argv)
{
    HANDLE hProcess = GetCurrentProcess();
    for (int i = 0; i < nCycles + 10; ++i) {
        if (i == 10)
            PrintUsage(hProcess, "cycles_before");
        FtpConnection *pConn = FtpEngineCreate(hWnd, nullptr, UM_PROGRESS, CREATE_VALUE);
        if (pConn == nullptr) {
            printf("cycles_failed\t-1\tat=%d\n", i);
            return;
        }
        FtpEngineSetOption(pConn, 1, 65);
        if (nArgs >= 4) {
            int nCode = FtpEngineConnect(pConn, argv[0], static_cast<unsigned short>(atoi(argv[1])), argv[2], argv[3]);
            if (nCode / 100 != 2) {
                printf("cycles_failed\t%d\tat=%d\n", nCode, i);
                FtpEngineDestroy(pConn);
                return;
            }
            FtpEngineCommand(pConn, "SIZE", "/x");
            FtpEngineClose(pConn, 0);
        }
        FtpEngineDestroy(pConn);
    }
    PrintUsage(hProcess, "cycles_after");
}

}  // namespace

int main(int argc, char **argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "EngineDriverSink";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (hWnd == nullptr) {
        printf("window\t-1\terror=%lu\n", static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    if (argc >= 3 && strcmp(argv[1], "cycles") == 0) {
        RunCycles(hWnd, atoi(argv[2]), argc - 3, argv + 3);
        return 0;
    }
    FtpConnection *pConn = FtpEngineCreate(hWnd, nullptr, UM_PROGRESS, CREATE_VALUE);
    if (pConn == nullptr) {
        printf("create failed\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const char *strOp = argv[i];
        int nLeft = argc - i - 1;
        if (strcmp(strOp, "option") == 0 && nLeft >= 2) {
            FtpEngineSetOption(pConn, atoi(argv[i + 1]), atoi(argv[i + 2]));
            i += 2;
        } else if (strcmp(strOp, "connect") == 0 && nLeft >= 4) {
            int nCode = FtpEngineConnect(pConn, argv[i + 1], static_cast<unsigned short>(atoi(argv[i + 2])),
                                         Unescaped(argv[i + 3]).c_str(), Unescaped(argv[i + 4]).c_str());
            printf("connect\t%d\tlast=%s\terror=%s\n", nCode, Escaped(FtpEngineLastReply(pConn)).c_str(),
                   Escaped(FtpEngineErrorText(pConn)).c_str());
            i += 4;
        } else if (strcmp(strOp, "cmd") == 0 && nLeft >= 2) {
            int nCode = FtpEngineCommand(pConn, argv[i + 1], Unescaped(argv[i + 2]).c_str());
            printf("cmd\t%d\ttext=%s\terror=%s\n", nCode, Escaped(pConn->strReplyText).c_str(),
                   Escaped(FtpEngineErrorText(pConn)).c_str());
            i += 2;
        } else if (strcmp(strOp, "retr") == 0 && nLeft >= 2) {
            pConn->bPostLoginFlag = 1;
            DWORD dwStart = GetTickCount();
            int nCode = FtpEngineRetrieve(pConn, Unescaped(argv[i + 1]).c_str(), argv[i + 2], 1);
            DWORD dwElapsed = GetTickCount() - dwStart;
            ProgressCount count = DrainProgress(hWnd);
            printf("retr\t%d\tms=%lu\tprogress=%u\tfirst=%lu,%ld\tlast=%lu,%ld\tordered=%d\tlast_reply=%s\terror=%s\n", nCode,
                   static_cast<unsigned long>(dwElapsed), count.nMessages, static_cast<unsigned long>(count.dwFirstDone),
                   static_cast<long>(count.nFirstTotal), static_cast<unsigned long>(count.dwLastDone),
                   static_cast<long>(count.nLastTotal), count.bNonDecreasing ? 1 : 0,
                   Escaped(FtpEngineLastReply(pConn)).c_str(), Escaped(FtpEngineErrorText(pConn)).c_str());
            i += 2;
        } else if (strcmp(strOp, "close") == 0) {
            DWORD dwStart = GetTickCount();
            FtpEngineClose(pConn, 0);
            printf("close\t0\tms=%lu\n", static_cast<unsigned long>(GetTickCount() - dwStart));
        } else if (strcmp(strOp, "stats") == 0) {
            PrintUsage(GetCurrentProcess(), "stats");
        } else {
            printf("bad argument %s\n", strOp);
            FtpEngineDestroy(pConn);
            return 2;
        }
    }
    FtpEngineDestroy(pConn);
    return 0;
}
