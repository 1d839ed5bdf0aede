// The trace sink: every trace point hands it a format and values, and it keeps nothing.
#ifndef FTPLINK_TRACE_H
#define FTPLINK_TRACE_H

void TraceMsg(const char *strFormat, ...);

#endif
