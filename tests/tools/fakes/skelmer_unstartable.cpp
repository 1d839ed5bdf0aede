// An FTP engine that cannot create a connection: it lets the tests reach the program's offer to
// switch browser integration off. Only the test folders ever hold it; the shipped engine has no
// such switch.
#include "skelmer.h"

extern "C" {

FtpConnection *WINAPI FtpEngineCreate(HWND, HWND, UINT, int)
{
    return nullptr;
}

void WINAPI FtpEngineSetOption(FtpConnection *, int, int)
{
}

int WINAPI FtpEngineConnect(FtpConnection *, const char *, unsigned short, const char *, const char *)
{
    return -1;
}

int WINAPI FtpEngineCommand(FtpConnection *, const char *, const char *)
{
    return -1;
}

int WINAPI FtpEngineRetrieve(FtpConnection *, const char *, const char *, int)
{
    return -1;
}

void WINAPI FtpEngineClose(FtpConnection *, int)
{
}

void WINAPI FtpEngineDestroy(FtpConnection *)
{
}

const char *WINAPI FtpEngineErrorText(FtpConnection *)
{
    return "the engine cannot start";
}

const char *WINAPI FtpEngineLastReply(FtpConnection *)
{
    return "";
}

}
