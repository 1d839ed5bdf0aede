// The transfer worker: one download attempt on a thread of its own, through the FTP engine.
#ifndef FTPLINK_TRANSFER_WORKER_H
#define FTPLINK_TRANSFER_WORKER_H

#include <windows.h>

#include "skelmer.h"

// ProbeRemotePath results.
constexpr int PROBE_NEITHER = 0;
constexpr int PROBE_FILE = 1;
constexpr int PROBE_DIRECTORY = 2;

// Thread routine; the argument is the download dialog. 1 when the file was retrieved, else 0.
DWORD WINAPI TransferThread(LPVOID pDialog);

// 1 for a file (or a path that answered neither probe), 2 for a directory.
int ProbeRemoteFile(FtpConnection *pConn);

// SIZE, then MDTM or CWD on one form of the path: PROBE_FILE, PROBE_DIRECTORY or PROBE_NEITHER.
int ProbeRemotePath(FtpConnection *pConn, const char *strPath);

#endif
