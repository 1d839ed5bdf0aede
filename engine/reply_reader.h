// Reads one FTP reply (RFC 959) from the bytes received so far: complete or not, its code, its text.
#ifndef SKELMER_REPLY_READER_H
#define SKELMER_REPLY_READER_H

#include <cstddef>
#include <string_view>

// A line longer than this, or a reply of more lines, is not an FTP server talking.
constexpr size_t MAX_REPLY_LINE = 2048;
constexpr int MAX_REPLY_LINES = 200;

enum ReplyStatus {
    REPLY_INCOMPLETE,    // more bytes are needed
    REPLY_COMPLETE,      // a whole reply: code, length and texts are set
    REPLY_NUL,           // a NUL byte inside the reply
    REPLY_NOT_NUMERIC,   // the first line does not begin with a valid three-digit code
    REPLY_LINE_TOO_LONG,
    REPLY_TOO_MANY_LINES,
};

struct ReplyInfo {
    int nCode = 0;
    size_t nLength = 0;              // bytes of the buffer that the reply took, final line end included
    std::string_view svWhole;        // every line, without the final line end
    std::string_view svLastText;     // the last line after its code and separator
};

// Looks at the start of svBuffer only; the views in info point into svBuffer.
ReplyStatus ReadReply(std::string_view svBuffer, ReplyInfo &info);

#endif
