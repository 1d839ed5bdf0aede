// Private window messages between the download dialog, its transfer worker and the FTP engine.
// Every parameter keeps its 32-bit meaning in the 64-bit build too.
#ifndef FTPLINK_MESSAGES_H
#define FTPLINK_MESSAGES_H

constexpr unsigned UM_START = 1025;          // posted (0, 0): start a transfer attempt
constexpr unsigned UM_FINISHED = 1027;       // posted (1 retrieved / 0 failed, 0)
constexpr unsigned UM_FAILURE = 1028;        // failure class, detail (see FAILURE_*)
constexpr unsigned UM_PROGRESS = 1034;       // from the engine: bytes so far, total (<= 0 unknown)
constexpr unsigned UM_ELAPSED = 1035;        // sent (0, milliseconds of the successful retrieval)
constexpr unsigned UM_SIZE_KNOWN = 1045;     // posted (0, size from SIZE)
constexpr unsigned UM_CONNECTED = 1046;      // posted (0, 0) after login
constexpr unsigned UM_ASK_LOGIN = 1047;      // posted (0, 0) when there is no password
constexpr unsigned UM_ENGINE_FAILED = 1048;  // posted (0, 0) when no connection could be created

// UM_FAILURE (wParam, lParam) pairs.
constexpr unsigned FAILURE_CLASS_LOGIN = 0;
constexpr unsigned FAILURE_DETAIL_CONNECT = 0;    // (0, 0) posted: "Failed to connect."
constexpr unsigned FAILURE_DETAIL_REFUSED = 4;    // (0, 4) posted: ask for credentials again
constexpr unsigned FAILURE_DETAIL_DIRECTORY = 2;  // (0, 2) sent: hand the URL to the full client
constexpr unsigned FAILURE_CLASS_RETRIEVE = 3;
constexpr unsigned FAILURE_DETAIL_NOT_FOUND = 1;  // (3, 1) sent: "Failed.  File not found."

#endif
