// The scratch temporary folder of the launch glue tests, and files with chosen times.
#include "wine/launch/scratch_dir.h"

#include <windows.h>

#include "launch/request.h"

static std::string strSavedTmp, strSavedTemp;

static std::string ReadEnv(const char *strName)
{
    char strValue[2048] = "";
    GetEnvironmentVariableA(strName, strValue, sizeof strValue);
    return strValue;
}

void ScratchTemp::SetUp()
{
    strSavedTmp = ReadEnv("TMP");
    strSavedTemp = ReadEnv("TEMP");
    char strBase[MAX_PATH];
    GetTempPathA(MAX_PATH, strBase);
    strScratch = std::string(strBase) + "ftplink-launch-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(strScratch.c_str(), nullptr)) << strScratch;
    UseTempPath(strScratch);
    ResetDownloadRequest();
}

void ScratchTemp::TearDown()
{
    SetEnvironmentVariableA("TMP", strSavedTmp.c_str());
    SetEnvironmentVariableA("TEMP", strSavedTemp.c_str());
    RemoveTree(strScratch);
    ResetDownloadRequest();
}

void ScratchTemp::UseTempPath(const std::string &strPath)
{
    SetEnvironmentVariableA("TMP", strPath.c_str());
    SetEnvironmentVariableA("TEMP", strPath.c_str());
}

void RemoveTree(const std::string &strDir)
{
    std::string strPrefix = strDir.back() == '\\' ? strDir : strDir + "\\";
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strPrefix + "*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::string strName = fd.cFileName;
            if (strName == "." || strName == "..")
                continue;
            std::string strPath = strPrefix + strName;
            SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strPath);
            else
                DeleteFileA(strPath.c_str());
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(strPrefix.c_str());
}

// Sets creation, access and write time alike: Wine reads the creation time back from the
// write time.
bool CreateFileWithTime(const std::string &strPath, long long nFileTime, bool bDirectory)
{
    if (bDirectory && !CreateDirectoryA(strPath.c_str(), nullptr))
        return false;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               bDirectory ? OPEN_EXISTING : CREATE_NEW,
                               bDirectory ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(nFileTime);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(nFileTime) >> 32);
    BOOL bSet = SetFileTime(hFile, &ft, &ft, &ft);
    CloseHandle(hFile);
    return bSet != FALSE;
}
