/* skelmer.dll: the FTP engine. Nine operations exported by ordinal only (see skelmer.def).
 * This header is the whole contract between the engine and its callers. */
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
