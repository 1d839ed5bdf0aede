/* skelmer.dll: the FTP engine. Nine operations exported by ordinal only (see skelmer.def).
 * This header is the whole contract between the engine and its callers.
 *
 * What the values and fields select:
 * - FtpEngineCreate: the second window is not used; the creation value (4) is accepted and selects
 *   nothing, every connection behaves alike. Null only when memory or Winsock cannot be had.
 * - FtpEngineSetOption: option 1 is the time-out in seconds (65 = 65 s, at most 3600) for
 *   connecting, for each reply and for a stalled data connection; other options are ignored.
 *   Before the call the time-out is 65 s too. A dead server or a stalled transfer ends as a failure.
 * - FtpEngineConnect: host names and addresses, IPv4 and IPv6 (every address is tried within one
 *   time-out); up to five 1xx replies before the 220 greeting; USER, then PASS on 331; 230 after
 *   USER needs no PASS; 332 (accounts), 530 and 421 are failures whose reply FtpEngineLastReply gives.
 * - bPostLoginFlag: read by nothing; commands are accepted after any successful login.
 * - FtpEngineCommand: the verb (three or four letters) and an argument without CR or LF, else -1
 *   before anything is sent. SIZE is sent in binary mode (TYPE I first, once per connection).
 *   strReplyText then holds the reply code, a blank and the text of the reply's last line
 *   ("213 1234" even for a multi-line reply), so the value starts at its fifth character.
 * - FtpEngineRetrieve: the retrieval value (1) selects nothing: every transfer is binary (TYPE I).
 *   Passive mode only, EPSV first, PASV after a refused or unreachable EPSV; the data connection
 *   always goes to the control connection's peer. The file is written in 1 MiB blocks. Success
 *   (226 or 250) needs the data connection's end and, when SIZE for the same path or a
 *   "150 ... (N bytes)" reply gave a size, exactly that many bytes; otherwise -1 or the negative
 *   reply code. Byte counts are 64-bit inside the engine.
 * - Progress: the message given to FtpEngineCreate is posted (never sent) to the notification
 *   window with wParam the bytes so far and lParam the total, or 0 when unknown. Both carry the
 *   low 32 bits of the engine's 64-bit counts, as the message's 32-bit types do: they wrap past
 *   4 GiB, and a total from 2 to 4 GiB reads as negative (unknown) to a signed receiver. Posted
 *   once when the data starts (0 bytes), at most every 100 ms while it flows, and once with the
 *   final count, so a zero-byte file gets two.
 * - FtpEngineClose: the closing value (0) selects nothing; QUIT, waiting at most 2 s for the
 *   goodbye, and none after a failure that left the connection out of step.
 * - Results: an FTP reply code, or -1 for a local or network failure; FtpEngineErrorText says in
 *   plain words what failed last, FtpEngineLastReply gives the whole last reply (empty when none).
 *   Both texts and strReplyText belong to the connection and stay valid until its next call. */
#ifndef SKELMER_H
#define SKELMER_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

struct FtpSession;

/* The caller touches only the first two fields; the rest is the engine's. */
typedef struct FtpConnection {
    char *strReplyText;        /* reply to the last command, beginning with its code; may be null */
    INT32 bPostLoginFlag;      /* set to 1 by the caller after login */
    struct FtpSession *pSession;
} FtpConnection;

FtpConnection *WINAPI FtpEngineCreate(HWND hNotifyWnd, HWND hOtherWnd, UINT nProgressMsg, int nCreateValue); /* 100 */
void        WINAPI FtpEngineSetOption(FtpConnection *pConn, int nOption, int nValue);                  /* 1120 */
int         WINAPI FtpEngineConnect(FtpConnection *pConn, const char *strHost, unsigned short nPort,
                                    const char *strUserId, const char *strPassword);                  /* 200 */
int         WINAPI FtpEngineCommand(FtpConnection *pConn, const char *strVerb, const char *strArg);   /* 325 */
int         WINAPI FtpEngineRetrieve(FtpConnection *pConn, const char *strRemote, const char *strLocal,
                                     int nRetrieveValue);                                             /* 340 */
void        WINAPI FtpEngineClose(FtpConnection *pConn, int nCloseValue);                             /* 210 */
void        WINAPI FtpEngineDestroy(FtpConnection *pConn);                                            /* 110 */
const char *WINAPI FtpEngineErrorText(FtpConnection *pConn);                                          /* 701 */
const char *WINAPI FtpEngineLastReply(FtpConnection *pConn);                                          /* 702 */

#ifdef __cplusplus
}
#endif

#endif
