// Reads one FTP reply from a buffer: a pure function, so every byte sequence can be tested.
#include "reply_reader.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The code of a line that starts with three digits, the first 1 to 5, else -1.
int LineCode(std::string_view svLine)
{
    if (svLine.size() < 3 || svLine[0] < '1' || svLine[0] > '5' || !IsDigit(svLine[1]) || !IsDigit(svLine[2]))
        return -1;
    return (svLine[0] - '0') * 100 + (svLine[1] - '0') * 10 + (svLine[2] - '0');
}

std::string_view StripCr(std::string_view svLine)
{
    if (!svLine.empty() && svLine.back() == '\r')
        svLine.remove_suffix(1);
    return svLine;
}

}  // namespace

ReplyStatus ReadReply(std::string_view svBuffer, ReplyInfo &info)
{
    size_t nStart = 0;
    int nLines = 0;
    int nCode = -1;
    for (;;) {
        size_t nEnd = svBuffer.find('\n', nStart);
        size_t nAvail = (nEnd == std::string_view::npos ? svBuffer.size() : nEnd) - nStart;
        std::string_view svRaw = svBuffer.substr(nStart, nAvail);
        if (svRaw.find('\0') != std::string_view::npos)
            return REPLY_NUL;
        if (StripCr(svRaw).size() > MAX_REPLY_LINE)
            return REPLY_LINE_TOO_LONG;
        if (nEnd == std::string_view::npos) {
            // A first line can be judged before its end arrives: garbage fails at once.
            if (nLines == 0 && svRaw.size() >= 3 && LineCode(svRaw) < 0)
                return REPLY_NOT_NUMERIC;
            return REPLY_INCOMPLETE;
        }
        if (++nLines > MAX_REPLY_LINES)
            return REPLY_TOO_MANY_LINES;
        std::string_view svLine = StripCr(svRaw);
        bool bLast;
        if (nLines == 1) {
            nCode = LineCode(svLine);
            if (nCode < 0 || (svLine.size() > 3 && svLine[3] != ' ' && svLine[3] != '-'))
                return REPLY_NOT_NUMERIC;
            bLast = svLine.size() == 3 || svLine[3] == ' ';
        } else {
            // Inner lines of a multi-line reply are free text; only "code blank" (or the bare code) ends it.
            bLast = LineCode(svLine) == nCode && (svLine.size() == 3 || svLine[3] == ' ');
        }
        if (bLast) {
            info.nCode = nCode;
            info.nLength = nEnd + 1;
            info.svWhole = StripCr(svBuffer.substr(0, nEnd));
            info.svLastText = svLine.size() > 4 ? svLine.substr(4) : std::string_view();
            return REPLY_COMPLETE;
        }
        nStart = nEnd + 1;
    }
}
