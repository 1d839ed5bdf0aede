// What failed last, in plain words: the engine's failure kinds and the Winsock error texts, in one place.
#ifndef SKELMER_ERROR_TEXT_H
#define SKELMER_ERROR_TEXT_H

#include <cstddef>

enum EngineError {
    ERR_NONE,
    ERR_NO_MEMORY,
    ERR_NETWORK_START,      // WSAStartup failed
    ERR_NOT_CONNECTED,      // a call that needs a logged-in session came without one
    ERR_BAD_ARGUMENT,       // an argument with CR or LF, or a verb that is not a verb
    ERR_RESOLVE,            // the host name has no address
    ERR_CONNECT,            // no address of the host accepted the connection
    ERR_CONNECT_TIMEOUT,
    ERR_SEND,
    ERR_RECEIVE,
    ERR_REPLY_TIMEOUT,
    ERR_CLOSED_BY_SERVER,   // the control connection ended
    ERR_BAD_REPLY,          // NUL, non-numeric code, overlong line or too many lines
    ERR_SERVER_CLOSING,     // 421
    ERR_LOGIN_REFUSED,
    ERR_ACCOUNT_NEEDED,     // 332: accounts are not supported
    ERR_COMMAND_FAILED,     // a negative reply to a command
    ERR_PASSIVE_REPLY,      // a 227 or 229 reply without a usable port
    ERR_DATA_CONNECT,
    ERR_DATA_TIMEOUT,       // the data connection stalled
    ERR_DATA_RECEIVE,
    ERR_LOCAL_FILE,         // the local file could not be created
    ERR_LOCAL_WRITE,
    ERR_TRANSFER_FAILED,    // the final reply was not 226 or 250
    ERR_SHORT_TRANSFER,     // fewer or more bytes than the size the server reported
};

// Plain words for a Winsock error number (10000 and up), or null for one the table does not know.
const char *WinsockErrorText(int nWsaError);

// The sentence that FtpEngineErrorText gives: what failed, then the system's reason when there is
// one (nSysError: a Winsock or Win32 error number, or 0). Always terminated, cut to nCapacity.
void FormatEngineError(EngineError eError, int nSysError, const char *strDetail, char *strOut, size_t nCapacity);

#endif
