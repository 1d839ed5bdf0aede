// Retrieval: the passive data connection (EPSV, then PASV), RETR, the local file and progress messages.
#include <cstdio>
#include <cstdlib>

#include "ftp_session.h"
#include "pasv_parse.h"

namespace {

// The local file is written in blocks of this size; it is also all the memory a transfer needs.
constexpr size_t WRITE_BLOCK = 1024 * 1024;
// At most one progress message per this many milliseconds, besides the first and the last.
constexpr DWORD PROGRESS_INTERVAL_MS = 100;

// The text of the last reply's last line after its code: where 227 and 229 carry their numbers.
const char *ReplyValueText(const FtpSession &sess)
{
    return sess.strReplyText.size() > 4 ? sess.strReplyText.c_str() + 4 : "";
}

// Connects to the control connection's peer at nPort: a 227 address is never trusted.
SOCKET ConnectToPeerPort(FtpSession &sess, uint16_t nPort, int *pnError)
{
    sockaddr_storage saData = sess.saPeer;
    if (saData.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6 *>(&saData)->sin6_port = htons(nPort);
    else
        reinterpret_cast<sockaddr_in *>(&saData)->sin_port = htons(nPort);
    bool bTimedOut;
    return ConnectWithTimeout(reinterpret_cast<sockaddr *>(&saData), sess.nPeerLen, sess.dwTimeoutMs, pnError, &bTimedOut);
}

// Opens the data connection. On failure returns INVALID_SOCKET with *pnCode the refusing reply
// code, or -1 for a local or network failure.
SOCKET OpenDataConnection(FtpSession &sess, int *pnCode)
{
    uint16_t nPort = 0;
    int nError = 0;
    if (!sess.bEpsvRefused) {
        int nCode = SendCommand(sess, "EPSV", nullptr);
        if (nCode == 229) {
            if (!ParseEpsvPort(ReplyValueText(sess), nPort)) {
                SetEngineError(sess, ERR_PASSIVE_REPLY, 0, sess.strLastReply.c_str());
                *pnCode = -1;
                return INVALID_SOCKET;
            }
            SOCKET sock = ConnectToPeerPort(sess, nPort, &nError);
            if (sock != INVALID_SOCKET)
                return sock;
        } else if (nCode < 0 || nCode == 421) {
            *pnCode = nCode;
            return INVALID_SOCKET;
        }
        // A refused EPSV, or an EPSV port that cannot be reached (a firewall or NAT that knows only
        // PASV), leaves PASV for this and every later transfer on the connection.
        sess.bEpsvRefused = true;
    }
    int nCode = SendCommand(sess, "PASV", nullptr);
    if (nCode != 227) {
        if (nCode > 0 && nCode != 421)
            SetEngineError(sess, ERR_COMMAND_FAILED, 0, sess.strLastReply.c_str());
        *pnCode = IsPositiveReply(nCode) ? -1 : nCode;
        return INVALID_SOCKET;
    }
    if (!ParsePasvPort(ReplyValueText(sess), nPort)) {
        SetEngineError(sess, ERR_PASSIVE_REPLY, 0, sess.strLastReply.c_str());
        *pnCode = -1;
        return INVALID_SOCKET;
    }
    SOCKET sock = ConnectToPeerPort(sess, nPort, &nError);
    if (sock == INVALID_SOCKET) {
        SetEngineError(sess, ERR_DATA_CONNECT, nError);
        *pnCode = -1;
    }
    return sock;
}

// Both counts travel as the message protocol's 32-bit values: the bytes wrap past 4 GiB, and a
// total that does not fit a positive 32-bit value reads as unknown to the receiver.
void PostProgress(const FtpSession &sess, uint64_t nDone, uint64_t nTotal)
{
    if (sess.hNotifyWnd == nullptr)
        return;
    PostMessageA(sess.hNotifyWnd, sess.nProgressMsg, static_cast<WPARAM>(static_cast<DWORD>(nDone)),
                 static_cast<LPARAM>(static_cast<LONG>(static_cast<DWORD>(nTotal))));
}

bool WriteBlock(HANDLE hFile, const char *pData, size_t nBytes)
{
    DWORD dwWritten = 0;
    return WriteFile(hFile, pData, static_cast<DWORD>(nBytes), &dwWritten, nullptr) && dwWritten == nBytes;
}

// Reads the data connection to its end into hFile. False with the error set on a stall, a
// receive failure or a write failure.
bool ReceiveToFile(FtpSession &sess, SOCKET sockData, HANDLE hFile, uint64_t nTotal, uint64_t &nReceived)
{
    char *pBlock = static_cast<char *>(malloc(WRITE_BLOCK));
    if (pBlock == nullptr) {
        SetEngineError(sess, ERR_NO_MEMORY, 0);
        return false;
    }
    size_t nFill = 0;
    DWORD dwLastPost = GetTickCount();
    bool bOk = true;
    for (;;) {
        int nGot = recv(sockData, pBlock + nFill, static_cast<int>(WRITE_BLOCK - nFill), 0);
        if (nGot == 0)
            break;
        if (nGot < 0) {
            int nError = WSAGetLastError();
            SetEngineError(sess, nError == WSAETIMEDOUT ? ERR_DATA_TIMEOUT : ERR_DATA_RECEIVE, nError);
            bOk = false;
            break;
        }
        nFill += static_cast<size_t>(nGot);
        nReceived += static_cast<uint64_t>(nGot);
        if (nFill == WRITE_BLOCK) {
            if (!WriteBlock(hFile, pBlock, nFill)) {
                SetEngineError(sess, ERR_LOCAL_WRITE, static_cast<int>(GetLastError()));
                bOk = false;
                break;
            }
            nFill = 0;
        }
        DWORD dwNow = GetTickCount();
        if (dwNow - dwLastPost >= PROGRESS_INTERVAL_MS) {
            PostProgress(sess, nReceived, nTotal);
            dwLastPost = dwNow;
        }
    }
    if (bOk && nFill > 0 && !WriteBlock(hFile, pBlock, nFill)) {
        SetEngineError(sess, ERR_LOCAL_WRITE, static_cast<int>(GetLastError()));
        bOk = false;
    }
    free(pBlock);
    return bOk;
}

// The data socket waits in blocking receives, each bounded by the stall time-out.
void PrepareDataSocket(const FtpSession &sess, SOCKET sockData)
{
    u_long nNonBlocking = 0;
    ioctlsocket(sockData, FIONBIO, &nNonBlocking);
    DWORD dwTimeout = sess.dwTimeoutMs;
    setsockopt(sockData, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&dwTimeout), sizeof dwTimeout);
}

// After the data: the final reply decides, and the count must match a size the server gave.
int FinishRetrieval(FtpSession &sess, bool bSizeKnown, uint64_t nExpected, uint64_t nReceived)
{
    int nCode = ReadReplyWithin(sess, sess.dwTimeoutMs);
    if (nCode < 0)
        return -1;
    if (sess.ePhase == PHASE_TRANSFER)
        SetPhase(sess, PHASE_READY);
    if (nCode != 226 && nCode != 250) {
        if (nCode != 421)
            SetEngineError(sess, ERR_TRANSFER_FAILED, 0, sess.strLastReply.c_str());
        return IsPositiveReply(nCode) ? -1 : nCode;
    }
    if (bSizeKnown && nReceived != nExpected) {
        char strDetail[96];
        snprintf(strDetail, sizeof strDetail, "%llu of %llu bytes", static_cast<unsigned long long>(nReceived),
                 static_cast<unsigned long long>(nExpected));
        SetEngineError(sess, ERR_SHORT_TRANSFER, 0, strDetail);
        return -1;
    }
    return nCode;
}

}  // namespace

int RetrieveFile(FtpSession &sess, const char *strRemote, const char *strLocal)
{
    bool bSizeKnown = sess.bSizeKnown && sess.strSizePath == strRemote;
    uint64_t nExpected = bSizeKnown ? sess.nSizeBytes : 0;

    int nCode = EnsureBinaryType(sess);
    if (!IsPositiveReply(nCode))
        return nCode;
    // Shared for deletion: the caller may abandon a download and delete the partial file while
    // the transfer still runs; the file then goes when this handle closes.
    HANDLE hFile = CreateFileA(strLocal, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        SetEngineError(sess, ERR_LOCAL_FILE, static_cast<int>(GetLastError()), strLocal);
        return -1;
    }
    SOCKET sockData = OpenDataConnection(sess, &nCode);
    if (sockData == INVALID_SOCKET) {
        CloseHandle(hFile);
        return nCode;
    }

    SetPhase(sess, PHASE_TRANSFER);
    nCode = SendCommand(sess, "RETR", strRemote);
    if (nCode != 125 && nCode != 150) {
        closesocket(sockData);
        CloseHandle(hFile);
        if (sess.ePhase == PHASE_TRANSFER)
            SetPhase(sess, PHASE_READY);
        if (nCode > 0 && nCode != 421)
            SetEngineError(sess, ERR_COMMAND_FAILED, 0, sess.strLastReply.c_str());
        return IsPositiveReply(nCode) ? -1 : nCode;
    }
    uint64_t nAnnounced = 0;
    if (!bSizeKnown && ParseOpeningSize(sess.strLastReply, nAnnounced)) {
        bSizeKnown = true;
        nExpected = nAnnounced;
    }

    PostProgress(sess, 0, nExpected);
    PrepareDataSocket(sess, sockData);
    uint64_t nReceived = 0;
    bool bDataOk = ReceiveToFile(sess, sockData, hFile, nExpected, nReceived);
    closesocket(sockData);
    bool bClosed = CloseHandle(hFile) != 0;
    PostProgress(sess, nReceived, nExpected);
    if (!bDataOk) {
        // The server still thinks it is sending: the control connection is out of step.
        SetPhase(sess, PHASE_BROKEN);
        return -1;
    }
    if (!bClosed) {
        SetEngineError(sess, ERR_LOCAL_WRITE, static_cast<int>(GetLastError()));
        SetPhase(sess, PHASE_BROKEN);
        return -1;
    }
    return FinishRetrieval(sess, bSizeKnown, nExpected, nReceived);
}
