// The private download cache beneath the user's temporary directory: naming and clean-up.
#ifndef FTPLINK_CACHE_H
#define FTPLINK_CACHE_H

#include <cstdint>

// Fills strTempDir, strCacheDir and strLocalFile of DownloadRequest and returns strLocalFile,
// which stays empty when no name fits. Creates both directories; creates no file.
char *MakeCacheFileName(const char *strRemotePath);
// The same beneath a given temporary directory, with or without its trailing '\'.
char *MakeCacheFileNameIn(const char *strTempDir, const char *strRemotePath);
void PurgeCacheDirectory();
// The purge with a given current time (file-time units, UTC).
void PurgeCacheDirectoryAt(int64_t nNow);

bool AslEnsureDirectoryExists(const char *strPath);
bool DirectoryExists(const char *strPath);
bool PathExists(const char *strPath);

#endif
