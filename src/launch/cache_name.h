// The choice of a cache file name from a remote path: a safe name, its base and extension,
// and the first of name, name(1), name(2) ... that nothing occupies yet.
#ifndef FTPLINK_CACHE_NAME_H
#define FTPLINK_CACHE_NAME_H

#include <cstdint>
#include <string>

constexpr int CACHE_PATH_CAP = 260;
// The highest copy number tried; a cache holding every copy up to it gets no name.
constexpr int CACHE_MAX_COPY = 9999;
// Creation ages above this many 100 ns units (three days) are purged.
constexpr int64_t CACHE_PURGE_AGE = 2592000000000LL;
extern const char CACHE_FALLBACK_NAME[];

// Tells whether anything is at a path; the context is the caller's.
typedef bool (*PATH_EXISTS_FN)(const char *strPath, void *pContext);

// The remote path's last segment made a plain file name that cannot leave the directory,
// name a device or be changed by the file system.
std::string MakeSafeCacheName(const char *strRemotePath);

// Splits at the last '.' when it is neither the first nor the last character of the name.
void SplitCacheName(const std::string &strName, std::string *pBase, std::string *pExtension);

// Fills strLocalFile (CACHE_PATH_CAP bytes) with strCacheDir, which ends in '\', followed by
// a free name. Long names are cut to fit; false, with strLocalFile empty, when not even a
// short name fits or every copy number is taken.
bool ChooseCacheFileName(const char *strCacheDir, const char *strRemotePath, char *strLocalFile,
                         PATH_EXISTS_FN pfnExists, void *pContext);

// True when an entry created at nCreated is old enough to purge at nNow (file-time units).
bool IsPurgeAge(int64_t nNow, int64_t nCreated);

#endif
