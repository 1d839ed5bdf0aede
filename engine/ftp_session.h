// The engine's per-connection record and the control-connection routines shared by its files.
#ifndef SKELMER_FTP_SESSION_H
#define SKELMER_FTP_SESSION_H

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "error_text.h"
#include "skelmer.h"

// Protocol phases. Only SetPhase changes the phase; the operations check it before acting.
enum FtpPhase {
    PHASE_IDLE,        // created, no control connection
    PHASE_CONNECTING,  // resolving and connecting
    PHASE_GREETING,    // waiting for 220 (after any 120)
    PHASE_LOGIN,       // USER / PASS exchange
    PHASE_READY,       // logged in, commands accepted
    PHASE_TRANSFER,    // a retrieval holds the control connection
    PHASE_BROKEN,      // the control connection is out of step or dead; only closing is left
    PHASE_CLOSED,      // QUIT sent or connection dropped; the socket is closed
};

// Every limit of time is one value, set by option 1 (seconds): connect, each reply, a stalled transfer.
constexpr DWORD DEFAULT_TIMEOUT_SECONDS = 65;
constexpr DWORD MAX_TIMEOUT_SECONDS = 3600;
// A polite QUIT never waits longer than this for the server's goodbye.
constexpr DWORD QUIT_WAIT_MS = 2000;

struct FtpSession {
    HWND hNotifyWnd = nullptr;
    UINT nProgressMsg = 0;
    FtpPhase ePhase = PHASE_IDLE;
    bool bWinsockStarted = false;
    DWORD dwTimeoutMs = DEFAULT_TIMEOUT_SECONDS * 1000;

    SOCKET sockControl = INVALID_SOCKET;
    sockaddr_storage saPeer = {};
    int nPeerLen = 0;
    std::string strReceived;     // control bytes received and not yet read as a reply

    std::string strLastReply;    // the whole last reply (FtpEngineLastReply)
    std::string strReplyText;    // code, blank, last line's text (FtpConnection::strReplyText)

    bool bBinaryType = false;    // TYPE I was accepted on this connection
    bool bEpsvRefused = false;   // EPSV answered with anything but 229: use PASV from now on

    // The size that the last positive SIZE reported, and for which path.
    std::string strSizePath;
    uint64_t nSizeBytes = 0;
    bool bSizeKnown = false;

    EngineError eError = ERR_NONE;
    char strErrorText[512] = "No error";
};

// A reply code is positive when its hundreds digit is 2; -1 and every other code are failures.
inline bool IsPositiveReply(int nCode)
{
    return nCode / 100 == 2;
}

void SetPhase(FtpSession &sess, FtpPhase ePhase);

// Records the last failure; strDetail (may be null) adds what the words alone do not say.
void SetEngineError(FtpSession &sess, EngineError eError, int nSysError, const char *strDetail = nullptr);

// Connects a non-blocking socket to one address within the time-out; INVALID_SOCKET on failure,
// with *pnError set to the Winsock error.
SOCKET ConnectWithTimeout(const sockaddr *pAddr, int nAddrLen, DWORD dwTimeoutMs, int *pnError, bool *pbTimedOut);

// Resolves the host, connects, reads the greeting and logs in. Returns the reply code or -1.
int OpenSession(FtpSession &sess, const char *strHost, unsigned short nPort, const char *strUser,
                const char *strPassword);

// Sends "VERB arg" (or "VERB") on the control connection and reads its reply: the reply code, or -1.
int SendCommand(FtpSession &sess, const char *strVerb, const char *strArg);

// Reads the next complete reply within the time-out: the reply code, or -1.
int ReadReplyWithin(FtpSession &sess, DWORD dwTimeoutMs);

// Sends TYPE I once per connection: SIZE and RETR need binary mode. The reply code, or -1.
int EnsureBinaryType(FtpSession &sess);

// Sends QUIT when the connection is still in step, waits briefly for the goodbye, closes the socket.
void CloseSession(FtpSession &sess);

// RETR strRemote into strLocal with progress messages. Returns the final reply code or -1.
int RetrieveFile(FtpSession &sess, const char *strRemote, const char *strLocal);

#endif
