// The dispatch of one command line: download dialog, full client, or help.
#ifndef FTPLINK_DISPATCH_H
#define FTPLINK_DISPATCH_H

#include <windows.h>

int HandleUrl(const char *strCmdLine, HINSTANCE hInstance);
BOOL ParseFtpUrl(const char *strCmdLine);

#endif
