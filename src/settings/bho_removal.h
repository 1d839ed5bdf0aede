// Switching browser integration off: through the browser helper library, else directly.
#ifndef FTPLINK_BHO_REMOVAL_H
#define FTPLINK_BHO_REMOVAL_H

void RemoveBho();
void DeleteExplorerBhoEntry();
void DeleteNetscapeFtpHandler();

#endif
