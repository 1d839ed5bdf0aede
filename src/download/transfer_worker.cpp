// The transfer worker: logs in, probes the remote path, retrieves the file into the cache and
// reports each outcome to the download dialog.
#include "download/transfer_worker.h"

#include "download/choice_gate.h"
#include "download/messages.h"
#include "download/reply_text.h"
#include "download/transfer_progress.h"
#include "launch/request.h"
#include "launch/trace.h"

#include <cstring>

constexpr int ENGINE_CREATE_VALUE = 4;
constexpr int ENGINE_OPTION = 1;
constexpr int ENGINE_OPTION_VALUE = 65;
constexpr int RETRIEVE_VALUE = 1;
constexpr int CLOSE_VALUE = 0;
constexpr int LAST_REPLY_CAP = 1024;

// The size that SIZE announced, at full width; -1 when it is not known exactly. Only the
// worker reads and writes it, and attempts never overlap.
static int64_t nAnnouncedSize = -1;

int ProbeRemotePath(FtpConnection *pConn, const char *strPath)
{
    if (IsPositiveReply(FtpEngineCommand(pConn, "SIZE", strPath))) {
        const char *strReply = pConn->strReplyText;
        if (strReply && strlen(strReply) > 4) {
            int64_t nSize = ParseLeadingNumber(strReply + 4);
            DownloadRequest.nRemoteSize = ClampToInt32(nSize);
            nAnnouncedSize = nSize >= 0 && nSize < INT64_MAX ? nSize : -1;
        }
        if (IsPositiveReply(FtpEngineCommand(pConn, "MDTM", DownloadRequest.strRemotePath)))
            CopyToField(DownloadRequest.strModTime, REQ_MODTIME_CAP, ReplyTextAfterCode(pConn->strReplyText));
        else
            TraceMsg("MDTM FAILED %s", pConn->strReplyText ? pConn->strReplyText : "");
        DownloadRequest.nProbeFlags |= PROBE_SIZE_KNOWN;
        return PROBE_FILE;
    }
    if (IsPositiveReply(FtpEngineCommand(pConn, "CWD", strPath))) {
        DownloadRequest.nProbeFlags |= PROBE_SIZE_KNOWN;
        return PROBE_DIRECTORY;
    }
    return PROBE_NEITHER;
}

int ProbeRemoteFile(FtpConnection *pConn)
{
    DownloadRequest.strSlashPath[0] = '/';
    CopyToField(DownloadRequest.strSlashPath + 1, REQ_SLASH_PATH_CAP - 1, DownloadRequest.strRemotePath);
    int nResult = ProbeRemotePath(pConn, DownloadRequest.strSlashPath);
    if (nResult != PROBE_NEITHER)
        return nResult;
    nResult = ProbeRemotePath(pConn, DownloadRequest.strSlashPath + 1);
    if (nResult == PROBE_NEITHER)
        return PROBE_FILE;
    DownloadRequest.nProbeFlags |= PROBE_PLAIN_PATH;
    return nResult;
}

// Size of the cache file; -1 when it cannot be read.
static int64_t LocalFileSize()
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(DownloadRequest.strLocalFile, GetFileExInfoStandard, &info))
        return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
}

// A positive reply whose file is shorter or longer than SIZE announced is a cut transfer:
// it must not reach the user as a complete download.
static bool RetrievedWhole(int nReply)
{
    if (!IsPositiveReply(nReply))
        return false;
    if (nAnnouncedSize >= 0 && LocalFileSize() != nAnnouncedSize) {
        TraceMsg("FAILED xfer %s: %s holds %d bytes, SIZE said %d", DownloadRequest.strHost,
                 DownloadRequest.strLocalFile, static_cast<int>(LocalFileSize()), static_cast<int>(nAnnouncedSize));
        return false;
    }
    return true;
}

static void ReportLoginFailure(HWND hDlg, FtpConnection *pConn)
{
    TraceMsg("failed connect %s %s %s", DownloadRequest.strHost, DownloadRequest.strUserId,
             DownloadRequest.strPassword);
    TraceMsg("%s", FtpEngineErrorText(pConn));
    char strLastReply[LAST_REPLY_CAP];
    CopyToField(strLastReply, LAST_REPLY_CAP, FtpEngineLastReply(pConn));
    PostMessageA(hDlg, UM_FAILURE, FAILURE_CLASS_LOGIN,
                 ReplyBeginsWith(strLastReply, '5') ? FAILURE_DETAIL_REFUSED : FAILURE_DETAIL_CONNECT);
}

static void TraceTransferFailure(FtpConnection *pConn)
{
    TraceMsg("FAILED xfer %s %s %s", DownloadRequest.strHost, DownloadRequest.strRemotePath,
             DownloadRequest.strLocalFile);
    TraceMsg("%s", FtpEngineErrorText(pConn));
}

static DWORD RetrieveAnnouncedFile(HWND hDlg, FtpConnection *pConn)
{
    const char *strRemote = (DownloadRequest.nProbeFlags & PROBE_PLAIN_PATH) ? DownloadRequest.strRemotePath
                                                                             : DownloadRequest.strSlashPath;
    TraceMsg("retrieving file %s from %s as %s", strRemote, DownloadRequest.strHost, DownloadRequest.strLocalFile);
    PostMessageA(hDlg, UM_SIZE_KNOWN, 0, static_cast<LPARAM>(DownloadRequest.nRemoteSize));
    TransferProgress.dwStartTick = GetTickCount();
    if (!RetrievedWhole(FtpEngineRetrieve(pConn, strRemote, DownloadRequest.strLocalFile, RETRIEVE_VALUE))) {
        TraceTransferFailure(pConn);
        return 0;
    }
    SetEvent(hTransferDoneEvent);
    TraceMsg("SUCCESS xfer %s %s %s", DownloadRequest.strHost, strRemote, DownloadRequest.strLocalFile);
    return 1;
}

static DWORD RetrieveUnannouncedFile(HWND hDlg, FtpConnection *pConn)
{
    const char *strForms[] = {DownloadRequest.strSlashPath, DownloadRequest.strRemotePath};
    for (const char *strRemote : strForms) {
        TraceMsg("retrieving file %s from %s as %s", strRemote, DownloadRequest.strHost,
                 DownloadRequest.strLocalFile);
        DWORD dwAttemptStart = GetTickCount();
        TransferProgress.dwStartTick = dwAttemptStart;
        if (!IsPositiveReply(FtpEngineRetrieve(pConn, strRemote, DownloadRequest.strLocalFile, RETRIEVE_VALUE)))
            continue;
        SetEvent(hTransferDoneEvent);
        TraceMsg("SUCCESS xfer %s %s %s", DownloadRequest.strHost, strRemote, DownloadRequest.strLocalFile);
        // Without a size there may have been no progress report to raise the question;
        // this one makes sure the user is asked before the success is acted on.
        int64_t nLocalSize = LocalFileSize();
        PostMessageA(hDlg, UM_PROGRESS, static_cast<WPARAM>(static_cast<uint32_t>(nLocalSize < 0 ? 0 : nLocalSize)),
                     0);
        SendMessageA(hDlg, UM_ELAPSED, 0, static_cast<LPARAM>(static_cast<int32_t>(GetTickCount() - dwAttemptStart)));
        return 1;
    }
    SendMessageA(hDlg, UM_FAILURE, FAILURE_CLASS_RETRIEVE, FAILURE_DETAIL_NOT_FOUND);
    TraceTransferFailure(pConn);
    return 0;
}

DWORD WINAPI TransferThread(LPVOID pDialog)
{
    HWND hDlg = static_cast<HWND>(pDialog);
    nAnnouncedSize = -1;
    FtpConnection *pConn = FtpEngineCreate(hDlg, nullptr, UM_PROGRESS, ENGINE_CREATE_VALUE);
    if (!pConn) {
        PostMessageA(hDlg, UM_ENGINE_FAILED, 0, 0);
        return 0;
    }
    FtpEngineSetOption(pConn, ENGINE_OPTION, ENGINE_OPTION_VALUE);
    DWORD dwResult = 0;
    if (!IsPositiveReply(FtpEngineConnect(pConn, DownloadRequest.strHost, DownloadRequest.nPort,
                                          DownloadRequest.strUserId, DownloadRequest.strPassword))) {
        ReportLoginFailure(hDlg, pConn);
    } else {
        PostMessageA(hDlg, UM_CONNECTED, 0, 0);
        pConn->bPostLoginFlag = 1;
        if (ProbeRemoteFile(pConn) != PROBE_FILE)
            SendMessageA(hDlg, UM_FAILURE, FAILURE_CLASS_LOGIN, FAILURE_DETAIL_DIRECTORY);
        else if (DownloadRequest.nProbeFlags & PROBE_SIZE_KNOWN)
            dwResult = RetrieveAnnouncedFile(hDlg, pConn);
        else
            dwResult = RetrieveUnannouncedFile(hDlg, pConn);
        FtpEngineClose(pConn, CLOSE_VALUE);
    }
    FtpEngineDestroy(pConn);
    PostMessageA(hDlg, UM_FINISHED, dwResult, 0);
    return dwResult;
}
