// The download cache on the file system: the temporary and cache directories, the unique
// cache file name, and the purge of entries older than three days.
#include "launch/cache.h"

#include <windows.h>

#include <cstring>

#include "launch/cache_name.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "launch/trace.h"

static const char FALLBACK_TEMP_DIR[] = "C:\\TEMP";
static const char CACHE_SUBDIR[] = "ftpurls\\";

static bool PathExistsCallback(const char *strPath, void *)
{
    return PathExists(strPath);
}

char *MakeCacheFileName(const char *strRemotePath)
{
    char strTempDir[REQ_DIR_CAP] = "";
    DWORD nLen = GetTempPathA(REQ_DIR_CAP, strTempDir);
    // An answer that does not fit is no answer: a cut path would name another folder.
    if (nLen == 0 || nLen >= static_cast<DWORD>(REQ_DIR_CAP)) {
        TraceMsg("No Default Temp Directory");
        CopyToField(strTempDir, REQ_DIR_CAP, FALLBACK_TEMP_DIR);
    }
    return MakeCacheFileNameIn(strTempDir, strRemotePath);
}

char *MakeCacheFileNameIn(const char *strTempDir, const char *strRemotePath)
{
    DOWNLOAD_REQUEST &req = DownloadRequest;
    req.strLocalFile[0] = '\0';
    req.strCacheDir[0] = '\0';
    req.strTempDir[0] = '\0';
    // The two directories are set together or not at all: a path that leaves no room for
    // the backslash and the cache folder refuses the download instead of cutting a path.
    if (strlen(strTempDir) + 1 + sizeof CACHE_SUBDIR > static_cast<size_t>(REQ_DIR_CAP)) {
        TraceMsg("TempDirectory: %s", strTempDir);
        TraceMsg("LocalFile: %s", req.strLocalFile);
        return req.strLocalFile;
    }
    strcpy(req.strTempDir, strTempDir);
    TraceMsg("TempDirectory: %s", req.strTempDir);
    AslEnsureDirectoryExists(req.strTempDir);
    EnsureTrailingChar(req.strTempDir, '\\');
    strcpy(req.strCacheDir, req.strTempDir);
    strcat(req.strCacheDir, CACHE_SUBDIR);
    TraceMsg("UrlDirectory: %s", req.strCacheDir);
    AslEnsureDirectoryExists(req.strCacheDir);

    ChooseCacheFileName(req.strCacheDir, strRemotePath, req.strLocalFile, PathExistsCallback, nullptr);
    TraceMsg("LocalFile: %s", req.strLocalFile);
    return req.strLocalFile;
}

bool AslEnsureDirectoryExists(const char *strPath)
{
    if (DirectoryExists(strPath))
        return true;
    if (CreateDirectoryA(strPath, nullptr)) {
        TraceMsg("AslEnsureDirectoryExists created %s\r\n", strPath);
        return true;
    }
    TraceMsg("AslEnsureDirectoryExists FAILED create %s", strPath);
    return false;
}

bool DirectoryExists(const char *strPath)
{
    // A longer path would be cut into the name of another folder.
    if (strlen(strPath) >= MAX_PATH)
        return false;
    char strDir[MAX_PATH];
    CopyToField(strDir, MAX_PATH, strPath);
    StripTrailingChar(strDir, '\\');
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(strDir, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FindClose(hFind);
    return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const char *strPath)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(strPath, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FindClose(hFind);
    return true;
}

static int64_t FileTimeValue(const FILETIME &ft)
{
    return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

void PurgeCacheDirectory()
{
    FILETIME ftNow;
    GetSystemTimeAsFileTime(&ftNow);
    PurgeCacheDirectoryAt(FileTimeValue(ftNow));
}

void PurgeCacheDirectoryAt(int64_t nNow)
{
    const char *strCacheDir = DownloadRequest.strCacheDir;
    if (!IsNonEmpty(strCacheDir))
        return;
    char strPrefix[REQ_DIR_CAP + 1];
    CopyToField(strPrefix, REQ_DIR_CAP, strCacheDir);
    EnsureTrailingChar(strPrefix, '\\');
    char strPattern[REQ_DIR_CAP + 8];
    wsprintfA(strPattern, "%s*.*", strPrefix);

    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(strPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0)
            continue;
        if (!IsPurgeAge(nNow, FileTimeValue(fd.ftCreationTime)))
            continue;
        char strEntry[REQ_DIR_CAP + MAX_PATH];
        wsprintfA(strEntry, "%s%s", strPrefix, fd.cFileName);
        if (!DeleteFileA(strEntry))
            TraceMsg("ERROR %08x from DeleteFile %s", GetLastError(), strEntry);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}
