// Writing and removing the current user's ftp: URL handler entry (HKCU\Software\Classes\ftp).
#ifndef FTPLINK_URL_HANDLER_H
#define FTPLINK_URL_HANDLER_H

enum HandlerResult {
    HANDLER_DONE,      // registered, or our entry removed
    HANDLER_ABSENT,    // nothing to remove: no ftp: entry for this user
    HANDLER_NOT_OURS,  // the entry starts another program and was left as it is
    HANDLER_FAILED     // the registry refused; the error code is in *pdwError
};

// Makes strExePath the program that ftp: URLs start, with the URL as its whole command line.
HandlerResult RegisterFtpHandler(const char *strExePath, unsigned long *pdwError);

// Removes the entry only when its open command starts strExePath.
HandlerResult UnregisterFtpHandler(const char *strExePath, unsigned long *pdwError);

#endif
