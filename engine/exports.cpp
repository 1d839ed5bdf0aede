// The nine operations that skelmer.dll exports by ordinal: argument checks around the session routines.
#include <new>

#include "command_check.h"
#include "ftp_session.h"
#include "pasv_parse.h"
#include "skelmer.h"

namespace {

constexpr int OPTION_TIMEOUT_SECONDS = 1;

FtpSession *SessionOf(FtpConnection *pConn)
{
    return pConn != nullptr ? pConn->pSession : nullptr;
}

// The caller's field always points at the session's current reply text, never at freed memory.
void PublishReplyText(FtpConnection *pConn)
{
    pConn->strReplyText = pConn->pSession->strReplyText.data();
}

const char *OrEmpty(const char *str)
{
    return str != nullptr ? str : "";
}

}  // namespace

extern "C" {

FtpConnection *WINAPI FtpEngineCreate(HWND hNotifyWnd, HWND hOtherWnd, UINT nProgressMsg, int nCreateValue)
{
    (void)hOtherWnd;
    (void)nCreateValue;
    FtpConnection *pConn = new (std::nothrow) FtpConnection();
    FtpSession *pSess = new (std::nothrow) FtpSession();
    WSADATA wsaData;
    if (pConn == nullptr || pSess == nullptr || WSAStartup(MAKEWORD(2, 2), &wsaData) != 0) {
        delete pSess;
        delete pConn;
        return nullptr;
    }
    pSess->bWinsockStarted = true;
    pSess->hNotifyWnd = hNotifyWnd;
    pSess->nProgressMsg = nProgressMsg;
    pConn->pSession = pSess;
    PublishReplyText(pConn);
    return pConn;
}

void WINAPI FtpEngineSetOption(FtpConnection *pConn, int nOption, int nValue)
{
    FtpSession *pSess = SessionOf(pConn);
    if (pSess == nullptr || nOption != OPTION_TIMEOUT_SECONDS || nValue <= 0)
        return;
    DWORD dwSeconds = static_cast<DWORD>(nValue) > MAX_TIMEOUT_SECONDS ? MAX_TIMEOUT_SECONDS : static_cast<DWORD>(nValue);
    pSess->dwTimeoutMs = dwSeconds * 1000;
}

int WINAPI FtpEngineConnect(FtpConnection *pConn, const char *strHost, unsigned short nPort,
                            const char *strUserId, const char *strPassword)
{
    FtpSession *pSess = SessionOf(pConn);
    if (pSess == nullptr)
        return -1;
    pSess->strLastReply.clear();
    pSess->strReplyText.clear();
    PublishReplyText(pConn);
    if (pSess->ePhase != PHASE_IDLE && pSess->ePhase != PHASE_CLOSED) {
        SetEngineError(*pSess, ERR_BAD_ARGUMENT, 0, "already connected");
        return -1;
    }
    if (strHost == nullptr || strHost[0] == '\0') {
        SetEngineError(*pSess, ERR_RESOLVE, 0, "no host name");
        return -1;
    }
    // Every text here comes from a URL: refuse a line break before a single byte goes out.
    if (!IsSafeArgument(OrEmpty(strUserId)) || !IsSafeArgument(OrEmpty(strPassword))) {
        SetEngineError(*pSess, ERR_BAD_ARGUMENT, 0);
        return -1;
    }
    pSess->bBinaryType = false;
    pSess->bEpsvRefused = false;
    pSess->bSizeKnown = false;
    int nCode = OpenSession(*pSess, strHost, nPort, OrEmpty(strUserId), OrEmpty(strPassword));
    PublishReplyText(pConn);
    return nCode;
}

int WINAPI FtpEngineCommand(FtpConnection *pConn, const char *strVerb, const char *strArg)
{
    FtpSession *pSess = SessionOf(pConn);
    if (pSess == nullptr)
        return -1;
    pSess->strReplyText.clear();
    PublishReplyText(pConn);
    if (strVerb == nullptr || !IsSafeVerb(strVerb) || (strArg != nullptr && !IsSafeArgument(strArg))) {
        SetEngineError(*pSess, ERR_BAD_ARGUMENT, 0);
        return -1;
    }
    if (pSess->ePhase != PHASE_READY) {
        SetEngineError(*pSess, ERR_NOT_CONNECTED, 0);
        return -1;
    }
    bool bSize = lstrcmpiA(strVerb, "SIZE") == 0;
    int nCode = bSize ? EnsureBinaryType(*pSess) : 200;
    if (IsPositiveReply(nCode))
        nCode = SendCommand(*pSess, strVerb, strArg);
    if (bSize) {
        uint64_t nSize = 0;
        pSess->bSizeKnown = nCode == 213 && ParseSizeText(std::string_view(pSess->strReplyText).substr(4), nSize);
        pSess->nSizeBytes = nSize;
        pSess->strSizePath = OrEmpty(strArg);
    }
    PublishReplyText(pConn);
    return nCode;
}

int WINAPI FtpEngineRetrieve(FtpConnection *pConn, const char *strRemote, const char *strLocal, int nRetrieveValue)
{
    (void)nRetrieveValue;
    FtpSession *pSess = SessionOf(pConn);
    if (pSess == nullptr)
        return -1;
    if (strRemote == nullptr || strLocal == nullptr || !IsSafeArgument(strRemote)) {
        SetEngineError(*pSess, ERR_BAD_ARGUMENT, 0);
        return -1;
    }
    if (pSess->ePhase != PHASE_READY) {
        SetEngineError(*pSess, ERR_NOT_CONNECTED, 0);
        return -1;
    }
    int nCode = RetrieveFile(*pSess, strRemote, strLocal);
    PublishReplyText(pConn);
    return nCode;
}

void WINAPI FtpEngineClose(FtpConnection *pConn, int nCloseValue)
{
    (void)nCloseValue;
    FtpSession *pSess = SessionOf(pConn);
    if (pSess == nullptr)
        return;
    CloseSession(*pSess);
    PublishReplyText(pConn);
}

void WINAPI FtpEngineDestroy(FtpConnection *pConn)
{
    FtpSession *pSess = SessionOf(pConn);
    if (pSess != nullptr) {
        if (pSess->sockControl != INVALID_SOCKET) {
            closesocket(pSess->sockControl);
            pSess->sockControl = INVALID_SOCKET;
        }
        if (pSess->bWinsockStarted)
            WSACleanup();
        delete pSess;
    }
    delete pConn;
}

const char *WINAPI FtpEngineErrorText(FtpConnection *pConn)
{
    FtpSession *pSess = SessionOf(pConn);
    return pSess != nullptr ? pSess->strErrorText : "No connection";
}

const char *WINAPI FtpEngineLastReply(FtpConnection *pConn)
{
    FtpSession *pSess = SessionOf(pConn);
    return pSess != nullptr ? pSess->strLastReply.c_str() : "";
}

}  // extern "C"
