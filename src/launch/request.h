// The process-wide download request: the URL's parts, the login, the local paths,
// the probe results and the user's choice. Fixed-capacity fields; copies cut, never overrun.
#ifndef FTPLINK_REQUEST_H
#define FTPLINK_REQUEST_H

#include <cstdint>

constexpr int REQ_HOST_CAP = 512;
constexpr int REQ_LOGIN_CAP = 512;
constexpr int REQ_PATH_CAP = 1024;
constexpr int REQ_SLASH_PATH_CAP = 1025;
constexpr int REQ_DECODED_CAP = 4096;
constexpr int REQ_DIR_CAP = 512;
constexpr int REQ_FILE_CAP = 260;
constexpr int REQ_MODTIME_CAP = 64;

constexpr uint32_t PROBE_PLAIN_PATH = 4;
constexpr uint32_t PROBE_SIZE_KNOWN = 8;

constexpr int32_t CHOICE_OPEN = 0;
constexpr int32_t CHOICE_SAVE = 1;
constexpr int32_t CHOICE_HANDED_OFF = 5;
constexpr int32_t CHOICE_UNDECIDED = 10;

constexpr uint16_t DEFAULT_FTP_PORT = 21;
constexpr char ANONYMOUS_USER[] = "anonymous";

struct DOWNLOAD_REQUEST {
    char strHost[REQ_HOST_CAP];
    char strUserId[REQ_LOGIN_CAP];
    char strPassword[REQ_LOGIN_CAP];
    uint16_t nPort;
    char strRemotePath[REQ_PATH_CAP];
    char strRemoteFile[REQ_PATH_CAP];
    char strDecodedUrl[REQ_DECODED_CAP];
    char strTempDir[REQ_DIR_CAP];
    char strCacheDir[REQ_DIR_CAP];
    char strLocalFile[REQ_FILE_CAP];
    char strSavePath[REQ_FILE_CAP];
    char strSlashPath[REQ_SLASH_PATH_CAP];
    int32_t nRemoteSize;
    char strModTime[REQ_MODTIME_CAP];
    uint32_t nProbeFlags;
    int32_t nChoice;
};

extern DOWNLOAD_REQUEST DownloadRequest;

// Puts the record back to its start-up values (the tests run several requests in one process).
void ResetDownloadRequest();

// Copies text into a fixed field, cutting at capacity - 1 and always terminating.
// A null source gives an empty field.
void CopyToField(char *strField, int nCapacity, const char *strSource);

#endif
