// The control connection: phases, connecting with a time-out, reading replies, login and QUIT.
#include "ftp_session.h"

#include <cstdio>
#include <cstring>

#include "command_check.h"
#include "reply_reader.h"

namespace {

// A server may send a few preliminary replies (120 "ready in n minutes") before 220, not forever.
constexpr int MAX_PRELIMINARY_REPLIES = 5;

timeval MillisecondsToTimeval(DWORD dwMs)
{
    timeval tv;
    tv.tv_sec = static_cast<long>(dwMs / 1000);
    tv.tv_usec = static_cast<long>((dwMs % 1000) * 1000);
    return tv;
}

DWORD Remaining(DWORD dwStart, DWORD dwTimeoutMs)
{
    DWORD dwElapsed = GetTickCount() - dwStart;
    return dwElapsed >= dwTimeoutMs ? 0 : dwTimeoutMs - dwElapsed;
}

// Waits until the socket can be read (bRead) or written; false on time-out or error.
bool WaitForSocket(SOCKET sock, bool bRead, DWORD dwTimeoutMs)
{
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(sock, &fds);
    timeval tv = MillisecondsToTimeval(dwTimeoutMs);
    int nReady = bRead ? select(0, &fds, nullptr, nullptr, &tv) : select(0, nullptr, &fds, nullptr, &tv);
    return nReady > 0;
}

void CloseControlSocket(FtpSession &sess)
{
    if (sess.sockControl != INVALID_SOCKET) {
        closesocket(sess.sockControl);
        sess.sockControl = INVALID_SOCKET;
    }
    sess.strReceived.clear();
    SetPhase(sess, PHASE_CLOSED);
}

bool SendAll(FtpSession &sess, const std::string &strLine)
{
    DWORD dwStart = GetTickCount();
    size_t nSent = 0;
    while (nSent < strLine.size()) {
        int nPart = send(sess.sockControl, strLine.data() + nSent, static_cast<int>(strLine.size() - nSent), 0);
        if (nPart > 0) {
            nSent += static_cast<size_t>(nPart);
            continue;
        }
        int nError = WSAGetLastError();
        if (nError != WSAEWOULDBLOCK) {
            SetEngineError(sess, ERR_SEND, nError);
            return false;
        }
        DWORD dwLeft = Remaining(dwStart, sess.dwTimeoutMs);
        if (dwLeft == 0 || !WaitForSocket(sess.sockControl, false, dwLeft)) {
            SetEngineError(sess, ERR_SEND, WSAETIMEDOUT);
            return false;
        }
    }
    return true;
}

const char *ReplyFaultText(ReplyStatus eStatus)
{
    switch (eStatus) {
    case REPLY_NUL: return "a NUL byte in the reply";
    case REPLY_NOT_NUMERIC: return "no three-digit reply code";
    case REPLY_LINE_TOO_LONG: return "a reply line is too long";
    case REPLY_TOO_MANY_LINES: return "the reply has too many lines";
    default: return nullptr;
    }
}

// Login after the greeting: USER, then PASS on 331. Returns the deciding reply code or -1.
int LogIn(FtpSession &sess, const char *strUser, const char *strPassword)
{
    SetPhase(sess, PHASE_LOGIN);
    int nCode = SendCommand(sess, "USER", strUser);
    if (nCode == 331)
        nCode = SendCommand(sess, "PASS", strPassword);
    if (IsPositiveReply(nCode)) {
        SetPhase(sess, PHASE_READY);
        return nCode;
    }
    if (nCode == 332)
        SetEngineError(sess, ERR_ACCOUNT_NEEDED, 0, sess.strLastReply.c_str());
    else if (nCode > 0 && nCode != 421)
        SetEngineError(sess, ERR_LOGIN_REFUSED, 0, sess.strLastReply.c_str());
    return nCode;
}

}  // namespace

void SetPhase(FtpSession &sess, FtpPhase ePhase)
{
    sess.ePhase = ePhase;
}

void SetEngineError(FtpSession &sess, EngineError eError, int nSysError, const char *strDetail)
{
    sess.eError = eError;
    FormatEngineError(eError, nSysError, strDetail, sess.strErrorText, sizeof sess.strErrorText);
}

SOCKET ConnectWithTimeout(const sockaddr *pAddr, int nAddrLen, DWORD dwTimeoutMs, int *pnError, bool *pbTimedOut)
{
    *pbTimedOut = false;
    SOCKET sock = socket(pAddr->sa_family, SOCK_STREAM, IPPROTO_TCP);
    if (sock == INVALID_SOCKET) {
        *pnError = WSAGetLastError();
        return INVALID_SOCKET;
    }
    u_long nNonBlocking = 1;
    ioctlsocket(sock, FIONBIO, &nNonBlocking);
    if (connect(sock, pAddr, nAddrLen) == 0)
        return sock;
    int nError = WSAGetLastError();
    if (nError == WSAEWOULDBLOCK) {
        fd_set fdsWrite, fdsError;
        FD_ZERO(&fdsWrite);
        FD_ZERO(&fdsError);
        FD_SET(sock, &fdsWrite);
        FD_SET(sock, &fdsError);
        timeval tv = MillisecondsToTimeval(dwTimeoutMs);
        int nReady = select(0, nullptr, &fdsWrite, &fdsError, &tv);
        if (nReady == 0) {
            *pbTimedOut = true;
            nError = WSAETIMEDOUT;
        } else if (nReady < 0) {
            nError = WSAGetLastError();
        } else {
            int nSoError = 0;
            int nLen = sizeof nSoError;
            getsockopt(sock, SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&nSoError), &nLen);
            if (nSoError == 0 && FD_ISSET(sock, &fdsWrite))
                return sock;
            nError = nSoError != 0 ? nSoError : WSAECONNREFUSED;
        }
    }
    closesocket(sock);
    *pnError = nError;
    return INVALID_SOCKET;
}

int ReadReplyWithin(FtpSession &sess, DWORD dwTimeoutMs)
{
    if (sess.sockControl == INVALID_SOCKET) {
        SetEngineError(sess, ERR_NOT_CONNECTED, 0);
        return -1;
    }
    DWORD dwStart = GetTickCount();
    for (;;) {
        ReplyInfo info;
        ReplyStatus eStatus = ReadReply(sess.strReceived, info);
        if (eStatus == REPLY_COMPLETE) {
            sess.strLastReply.assign(info.svWhole);
            char strCode[8];
            snprintf(strCode, sizeof strCode, "%03d ", info.nCode);
            sess.strReplyText.assign(strCode);
            sess.strReplyText.append(info.svLastText);
            sess.strReceived.erase(0, info.nLength);
            if (info.nCode == 421) {
                SetEngineError(sess, ERR_SERVER_CLOSING, 0, sess.strLastReply.c_str());
                SetPhase(sess, PHASE_BROKEN);
            }
            return info.nCode;
        }
        if (eStatus != REPLY_INCOMPLETE) {
            SetEngineError(sess, ERR_BAD_REPLY, 0, ReplyFaultText(eStatus));
            SetPhase(sess, PHASE_BROKEN);
            return -1;
        }
        DWORD dwLeft = Remaining(dwStart, dwTimeoutMs);
        if (dwLeft == 0 || !WaitForSocket(sess.sockControl, true, dwLeft)) {
            SetEngineError(sess, ERR_REPLY_TIMEOUT, 0);
            SetPhase(sess, PHASE_BROKEN);
            return -1;
        }
        char chunk[4096];
        int nGot = recv(sess.sockControl, chunk, sizeof chunk, 0);
        if (nGot > 0) {
            sess.strReceived.append(chunk, static_cast<size_t>(nGot));
        } else if (nGot == 0) {
            SetEngineError(sess, ERR_CLOSED_BY_SERVER, 0);
            SetPhase(sess, PHASE_BROKEN);
            return -1;
        } else if (WSAGetLastError() != WSAEWOULDBLOCK) {
            SetEngineError(sess, ERR_RECEIVE, WSAGetLastError());
            SetPhase(sess, PHASE_BROKEN);
            return -1;
        }
    }
}

int SendCommand(FtpSession &sess, const char *strVerb, const char *strArg)
{
    if (!IsSafeVerb(strVerb) || (strArg != nullptr && !IsSafeArgument(strArg))) {
        SetEngineError(sess, ERR_BAD_ARGUMENT, 0);
        return -1;
    }
    if (sess.sockControl == INVALID_SOCKET || sess.ePhase == PHASE_BROKEN || sess.ePhase == PHASE_CLOSED) {
        SetEngineError(sess, ERR_NOT_CONNECTED, 0);
        return -1;
    }
    std::string strLine(strVerb);
    if (strArg != nullptr) {
        strLine += ' ';
        strLine += strArg;
    }
    strLine += "\r\n";
    if (!SendAll(sess, strLine)) {
        SetPhase(sess, PHASE_BROKEN);
        return -1;
    }
    return ReadReplyWithin(sess, sess.dwTimeoutMs);
}

int EnsureBinaryType(FtpSession &sess)
{
    if (sess.bBinaryType)
        return 200;
    int nCode = SendCommand(sess, "TYPE", "I");
    if (IsPositiveReply(nCode))
        sess.bBinaryType = true;
    else if (nCode > 0 && nCode != 421)
        SetEngineError(sess, ERR_COMMAND_FAILED, 0, sess.strLastReply.c_str());
    return nCode;
}

int OpenSession(FtpSession &sess, const char *strHost, unsigned short nPort, const char *strUser,
                const char *strPassword)
{
    SetPhase(sess, PHASE_CONNECTING);
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    char strPort[8];
    snprintf(strPort, sizeof strPort, "%u", static_cast<unsigned>(nPort));
    addrinfo *pList = nullptr;
    int nResolveError = getaddrinfo(strHost, strPort, &hints, &pList);
    if (nResolveError != 0 || pList == nullptr) {
        SetEngineError(sess, ERR_RESOLVE, nResolveError, strHost);
        SetPhase(sess, PHASE_IDLE);
        return -1;
    }
    // One time-out covers every address of the host, so a name with many dead addresses cannot hang.
    DWORD dwStart = GetTickCount();
    int nError = 0;
    bool bTimedOut = false;
    for (addrinfo *pAddr = pList; pAddr != nullptr && sess.sockControl == INVALID_SOCKET; pAddr = pAddr->ai_next) {
        DWORD dwLeft = Remaining(dwStart, sess.dwTimeoutMs);
        if (dwLeft == 0)
            break;
        sess.sockControl = ConnectWithTimeout(pAddr->ai_addr, static_cast<int>(pAddr->ai_addrlen), dwLeft, &nError, &bTimedOut);
        if (sess.sockControl != INVALID_SOCKET) {
            memcpy(&sess.saPeer, pAddr->ai_addr, pAddr->ai_addrlen);
            sess.nPeerLen = static_cast<int>(pAddr->ai_addrlen);
        }
    }
    freeaddrinfo(pList);
    if (sess.sockControl == INVALID_SOCKET) {
        SetEngineError(sess, bTimedOut ? ERR_CONNECT_TIMEOUT : ERR_CONNECT, nError, strHost);
        SetPhase(sess, PHASE_IDLE);
        return -1;
    }

    SetPhase(sess, PHASE_GREETING);
    int nCode = ReadReplyWithin(sess, sess.dwTimeoutMs);
    for (int i = 0; nCode / 100 == 1 && i < MAX_PRELIMINARY_REPLIES; ++i)
        nCode = ReadReplyWithin(sess, sess.dwTimeoutMs);
    if (nCode != 220) {
        if (nCode > 0 && nCode != 421)
            SetEngineError(sess, ERR_COMMAND_FAILED, 0, sess.strLastReply.c_str());
        CloseControlSocket(sess);
        return nCode / 100 == 2 ? -1 : nCode;
    }
    nCode = LogIn(sess, strUser, strPassword);
    if (sess.ePhase != PHASE_READY)
        CloseControlSocket(sess);
    return nCode;
}

void CloseSession(FtpSession &sess)
{
    if (sess.sockControl == INVALID_SOCKET) {
        SetPhase(sess, PHASE_CLOSED);
        return;
    }
    if (sess.ePhase == PHASE_READY) {
        // The goodbye must not replace what the caller reads about the last real command.
        std::string strLastReply = sess.strLastReply;
        std::string strReplyText = sess.strReplyText;
        EngineError eError = sess.eError;
        std::string strErrorText = sess.strErrorText;
        if (SendAll(sess, "QUIT\r\n"))
            ReadReplyWithin(sess, sess.dwTimeoutMs < QUIT_WAIT_MS ? sess.dwTimeoutMs : QUIT_WAIT_MS);
        sess.strLastReply = strLastReply;
        sess.strReplyText = strReplyText;
        sess.eError = eError;
        snprintf(sess.strErrorText, sizeof sess.strErrorText, "%s", strErrorText.c_str());
    }
    CloseControlSocket(sess);
}
