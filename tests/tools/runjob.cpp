// The job runner: starts a program with an exact command line and its own TMP and TEMP inside
// a job object, waits for it with a time limit, then ends whatever it started (help viewer,
// client) and exits with the program's exit code. Wine sets TMP and TEMP from its registry for
// a program started from Linux, so only a Windows parent can give a program its own.
//
// Usage: runjob.exe JOBFILE. The file holds the time limit in ms, the temporary folder and
// the program path on one line each, then the command line after the program's name, byte for
// byte up to the end of the file. A file named JOBFILE.stop ends the program early, as the
// limit does: then it prints "timeout" and exits 124. Otherwise it prints "left N" and the
// programs of the processes the program started that still ran ten seconds after it ended.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

constexpr DWORD EXIT_TIMEOUT = 124;
constexpr DWORD EXIT_RUNNER_FAILED = 125;
constexpr DWORD GRACE_MS = 10000;
constexpr DWORD POLL_MS = 50;

static bool ReadWholeFile(const char *strPath, std::string *pText)
{
    FILE *pFile = fopen(strPath, "rb");
    if (!pFile)
        return false;
    char buf[4096];
    size_t nRead;
    while ((nRead = fread(buf, 1, sizeof buf, pFile)) > 0)
        pText->append(buf, nRead);
    fclose(pFile);
    return true;
}

// Takes the next line (without its line end) off the front of the text.
static std::string TakeLine(std::string *pText)
{
    size_t nEnd = pText->find('\n');
    std::string strLine = pText->substr(0, nEnd);
    pText->erase(0, nEnd == std::string::npos ? pText->size() : nEnd + 1);
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    return strLine;
}

// Prints the program of each process still in the job after the count, for the test's log.
static void PrintProcessesInJob(HANDLE hJob)
{
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR rest[63];
    } ids = {};
    ids.list.NumberOfAssignedProcesses = 64;
    if (!QueryInformationJobObject(hJob, JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr))
        return;
    for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
        char strImage[MAX_PATH] = "?";
        DWORD nLen = MAX_PATH;
        HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                      static_cast<DWORD>(ids.list.ProcessIdList[i]));
        if (hProcess) {
            QueryFullProcessImageNameA(hProcess, 0, strImage, &nLen);
            CloseHandle(hProcess);
        }
        printf(" %s", strImage);
    }
}

static DWORD ProcessesInJob(HANDLE hJob)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
    if (!QueryInformationJobObject(hJob, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr))
        return 0;
    return info.ActiveProcesses;
}

// Waits for the program to end within the limit; false when the limit or the stop file came first.
static bool WaitForProgram(HANDLE hProcess, DWORD nTimeout, const char *strStopFile)
{
    for (DWORD dwWaited = 0; dwWaited < nTimeout; dwWaited += POLL_MS) {
        if (WaitForSingleObject(hProcess, POLL_MS) == WAIT_OBJECT_0)
            return true;
        if (GetFileAttributesA(strStopFile) != INVALID_FILE_ATTRIBUTES)
            return false;
    }
    return WaitForSingleObject(hProcess, 0) == WAIT_OBJECT_0;
}

int main(int argc, char **argv)
{
    std::string strJob;
    if (argc != 2 || !ReadWholeFile(argv[1], &strJob)) {
        fprintf(stderr, "usage: runjob JOBFILE\n");
        return EXIT_RUNNER_FAILED;
    }
    DWORD nTimeout = static_cast<DWORD>(strtoul(TakeLine(&strJob).c_str(), nullptr, 10));
    std::string strTemp = TakeLine(&strJob);
    std::string strProgram = TakeLine(&strJob);
    std::string strCommand = "\"" + strProgram + "\" " + strJob;

    SetEnvironmentVariableA("TMP", strTemp.c_str());
    SetEnvironmentVariableA("TEMP", strTemp.c_str());

    // Wine starts its desktop process for the first program that needs the desktop; it must
    // start here, outside the job, or the job's end would end it for every other program.
    GetDesktopWindow();
    HANDLE hJob = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(strProgram.c_str(), &strCommand[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &si, &pi)) {
        fprintf(stderr, "cannot start %s: error %lu\n", strProgram.c_str(), GetLastError());
        return EXIT_RUNNER_FAILED;
    }
    AssignProcessToJobObject(hJob, pi.hProcess);
    ResumeThread(pi.hThread);

    DWORD nExitCode = EXIT_TIMEOUT;
    if (WaitForProgram(pi.hProcess, nTimeout, (std::string(argv[1]) + ".stop").c_str())) {
        GetExitCodeProcess(pi.hProcess, &nExitCode);
        // What the program started gets a moment to finish its work (a recorder its line).
        for (DWORD dwWaited = 0; ProcessesInJob(hJob) > 0 && dwWaited < GRACE_MS; dwWaited += POLL_MS)
            Sleep(POLL_MS);
        printf("left %lu", ProcessesInJob(hJob));
        PrintProcessesInJob(hJob);
        printf("\n");
    } else {
        printf("timeout\n");
    }
    fflush(stdout);
    TerminateJobObject(hJob, EXIT_TIMEOUT);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(hJob);
    return static_cast<int>(nExitCode);
}
