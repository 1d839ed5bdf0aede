// The one DownloadRequest of the process and its start-up values.
#include "request.h"

#include <cstring>

DOWNLOAD_REQUEST DownloadRequest;

static const char ANONYMOUS_PASSWORD[] = "kelby31@";

void CopyToField(char *strField, int nCapacity, const char *strSource)
{
    if (nCapacity <= 0)
        return;
    if (!strSource) {
        strField[0] = '\0';
        return;
    }
    size_t nLen = strlen(strSource);
    if (nLen > static_cast<size_t>(nCapacity - 1))
        nLen = static_cast<size_t>(nCapacity - 1);
    memmove(strField, strSource, nLen);
    strField[nLen] = '\0';
}

void ResetDownloadRequest()
{
    memset(&DownloadRequest, 0, sizeof DownloadRequest);
    CopyToField(DownloadRequest.strUserId, REQ_LOGIN_CAP, ANONYMOUS_USER);
    CopyToField(DownloadRequest.strPassword, REQ_LOGIN_CAP, ANONYMOUS_PASSWORD);
    DownloadRequest.nPort = DEFAULT_FTP_PORT;
    DownloadRequest.nChoice = CHOICE_UNDECIDED;
}

// Static initialisation gives the start-up values before WinMain runs.
static const bool bRequestInitialised = (ResetDownloadRequest(), true);
