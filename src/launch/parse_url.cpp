// The fill of DownloadRequest from the command line: decode, split, copy into the fixed
// fields, and the cache file name for a URL with a path.
#include <cstring>

#include "launch/cache.h"
#include "launch/dispatch.h"
#include "launch/request.h"
#include "launch/urlcodec.h"


BOOL ParseFtpUrl(const char *strCmdLine)
{
    DOWNLOAD_REQUEST &req = DownloadRequest;
    DecodeUrlEscapes(req.strDecodedUrl, strCmdLine, REQ_DECODED_CAP);
    FTP_URL_PARTS parts;
    SplitFtpUrl(req.strDecodedUrl, &parts);

    req.nPort = static_cast<uint16_t>(parts.nPort);
    if (parts.strHost)
        CopyToField(req.strHost, REQ_HOST_CAP, parts.strHost);
    if (parts.strUserId) {
        CopyToField(req.strUserId, REQ_LOGIN_CAP, parts.strUserId);
        // The anonymous password is for the anonymous login only; any other user, the
        // same word in other letters included, logs in with a password of its own.
        if (strcmp(req.strUserId, ANONYMOUS_USER) != 0)
            req.strPassword[0] = '\0';
    }
    if (parts.strPassword)
        CopyToField(req.strPassword, REQ_LOGIN_CAP, parts.strPassword);
    if (parts.strPath) {
        CopyToField(req.strRemotePath, REQ_PATH_CAP, parts.strPath);
        MakeCacheFileName(req.strRemotePath);
    }
    if (parts.strFileName)
        CopyToField(req.strRemoteFile, REQ_PATH_CAP, parts.strFileName);
    FreeFtpUrlParts(&parts);
    return TRUE;
}
