// The ftp:// URL codec: escape decoding, the textual split into parts, and the rebuild.
#ifndef FTPLINK_URLCODEC_H
#define FTPLINK_URLCODEC_H

#include <cstddef>

struct FTP_URL_PARTS {
    char *strHost;      // each text part: null when absent, else heap text (free)
    char *strUserId;
    char *strPassword;
    char *strPath;
    char *strFileName;
    int nPort;          // always set: 21 when the URL gives none
};

void DecodeUrlEscapes(char *strDest, const char *strSource, size_t nDestCapacity);
void SplitFtpUrl(const char *strUrl, FTP_URL_PARTS *pParts);
void FreeFtpUrlParts(FTP_URL_PARTS *pParts);
char *BuildFtpUrl(const char *strHost, const char *strUserId, const char *strPassword,
                  const char *strPath, int nPort);

#endif
