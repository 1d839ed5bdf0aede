// Turns the engine's last failure into one plain sentence; Winsock numbers are mapped only here.
#include "error_text.h"

#include <cstdio>

namespace {

struct WsaText {
    int nCode;
    const char *strText;
};

// Winsock error numbers are fixed by the Windows ABI, so this table needs no Windows header.
constexpr WsaText WSA_TEXTS[] = {
    {10004, "the call was interrupted"},                    // WSAEINTR
    {10013, "access to the socket was denied"},             // WSAEACCES
    {10024, "too many sockets are open"},                   // WSAEMFILE
    {10035, "the operation would block"},                   // WSAEWOULDBLOCK
    {10038, "the socket is not valid"},                     // WSAENOTSOCK
    {10047, "the address family is not supported"},         // WSAEAFNOSUPPORT
    {10048, "the address is already in use"},               // WSAEADDRINUSE
    {10049, "the address is not available"},                // WSAEADDRNOTAVAIL
    {10050, "the network is down"},                         // WSAENETDOWN
    {10051, "the network is unreachable"},                  // WSAENETUNREACH
    {10052, "the network dropped the connection"},          // WSAENETRESET
    {10053, "the connection was aborted on this side"},     // WSAECONNABORTED
    {10054, "the connection was reset by the server"},      // WSAECONNRESET
    {10055, "no buffer space is available"},                // WSAENOBUFS
    {10057, "the socket is not connected"},                 // WSAENOTCONN
    {10060, "the connection timed out"},                    // WSAETIMEDOUT
    {10061, "the connection was refused"},                  // WSAECONNREFUSED
    {10064, "the host is down"},                            // WSAEHOSTDOWN
    {10065, "there is no route to the host"},               // WSAEHOSTUNREACH
    {10091, "the network subsystem is not ready"},          // WSASYSNOTREADY
    {10092, "this Winsock version is not supported"},       // WSAVERNOTSUPPORTED
    {10093, "Winsock was not started"},                     // WSANOTINITIALISED
    {11001, "the host name is not known"},                  // WSAHOST_NOT_FOUND
    {11002, "the name server did not answer; try again"},   // WSATRY_AGAIN
    {11003, "the name server failed"},                      // WSANO_RECOVERY
    {11004, "the host name has no address"},                // WSANO_DATA
};

const char *FailureText(EngineError eError)
{
    switch (eError) {
    case ERR_NONE: return "No error";
    case ERR_NO_MEMORY: return "Out of memory";
    case ERR_NETWORK_START: return "Could not start the network";
    case ERR_NOT_CONNECTED: return "Not logged in to a server";
    case ERR_BAD_ARGUMENT: return "Refused a command with a line break in its argument, or a verb that is not one";
    case ERR_RESOLVE: return "Could not find the server's address";
    case ERR_CONNECT: return "Could not connect to the server";
    case ERR_CONNECT_TIMEOUT: return "The server did not accept the connection in time";
    case ERR_SEND: return "Could not send to the server";
    case ERR_RECEIVE: return "Could not receive from the server";
    case ERR_REPLY_TIMEOUT: return "The server did not reply in time";
    case ERR_CLOSED_BY_SERVER: return "The server closed the connection";
    case ERR_BAD_REPLY: return "The server sent a reply that is not FTP";
    case ERR_SERVER_CLOSING: return "The server is closing the connection";
    case ERR_LOGIN_REFUSED: return "The server refused the login";
    case ERR_ACCOUNT_NEEDED: return "The server asks for an account, which is not supported";
    case ERR_COMMAND_FAILED: return "The server refused the command";
    case ERR_PASSIVE_REPLY: return "The server's passive mode reply has no usable port";
    case ERR_DATA_CONNECT: return "Could not open the data connection";
    case ERR_DATA_TIMEOUT: return "The transfer stalled";
    case ERR_DATA_RECEIVE: return "The data connection failed";
    case ERR_LOCAL_FILE: return "Could not create the local file";
    case ERR_LOCAL_WRITE: return "Could not write the local file";
    case ERR_TRANSFER_FAILED: return "The server reported a failed transfer";
    case ERR_SHORT_TRANSFER: return "The transfer ended with the wrong number of bytes";
    }
    return "Unknown error";
}

}  // namespace

const char *WinsockErrorText(int nWsaError)
{
    for (const WsaText &entry : WSA_TEXTS) {
        if (entry.nCode == nWsaError)
            return entry.strText;
    }
    return nullptr;
}

void FormatEngineError(EngineError eError, int nSysError, const char *strDetail, char *strOut, size_t nCapacity)
{
    if (nCapacity == 0)
        return;
    const char *strWhat = FailureText(eError);
    const char *strWsa = WinsockErrorText(nSysError);
    bool bDetail = strDetail != nullptr && strDetail[0] != '\0';
    if (strWsa != nullptr)
        snprintf(strOut, nCapacity, "%s: %s (%d)%s%s", strWhat, strWsa, nSysError, bDetail ? ": " : "", bDetail ? strDetail : "");
    else if (nSysError != 0)
        snprintf(strOut, nCapacity, "%s: system error %d%s%s", strWhat, nSysError, bDetail ? ": " : "", bDetail ? strDetail : "");
    else
        snprintf(strOut, nCapacity, "%s%s%s", strWhat, bDetail ? ": " : "", bDetail ? strDetail : "");
}
