// The ftp:// URL codec: escape decoding, the textual split into parts, and the rebuild.
#include "launch/urlcodec.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "launch/mbcs.h"
#include "launch/strutil.h"

static const char FTP_PREFIX[] = "ftp://";
constexpr int FTP_PREFIX_LEN = 6;
constexpr int DEFAULT_PORT = 21;
// wsprintfA, which the program's other command texts use, stops at this many bytes.
constexpr size_t URL_TEXT_CAP = 1024;

// Text that does not fit is cut after the last whole character that fits: a cut URL still
// splits like its head, and no double-byte character is left half.
void DecodeUrlEscapes(char *strDest, const char *strSource, size_t nDestCapacity)
{
    if (nDestCapacity == 0)
        return;
    size_t nOut = 0;
    const char *p = strSource ? strSource : "";
    while (*p != '\0') {
        char chDecoded = 0;
        const char *pNext = nullptr;
        if (p[0] == '%' && p[1] == '%') {
            chDecoded = '%';
            pNext = p + 2;
        } else if (p[0] == '%' && p[1] == '2' && p[2] == '0') {
            chDecoded = ' ';
            pNext = p + 3;
        }
        size_t nLen = pNext ? 1 : static_cast<size_t>(NextChar(p) - p);
        if (nOut + nLen > nDestCapacity - 1)
            break;
        if (pNext) {
            strDest[nOut++] = chDecoded;
            p = pNext;
        } else {
            memcpy(strDest + nOut, p, nLen);
            nOut += nLen;
            p += nLen;
        }
    }
    strDest[nOut] = '\0';
}

static bool HasFtpPrefix(const char *strUrl)
{
    for (int i = 0; i < FTP_PREFIX_LEN; ++i) {
        char ch = strUrl[i];
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
        if (ch != FTP_PREFIX[i])
            return false;
    }
    return true;
}

// Reads a number as atoi does: leading blanks and a sign, digits up to the first other
// character, 0 without digits. Out-of-range values stop at the int limits, as msvcrt's does.
static int ReadDecimal(const char *str)
{
    const char *p = str;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-') {
        bNegative = *p == '-';
        ++p;
    }
    long long nValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        nValue = nValue * 10 + (*p - '0');
        if (nValue > static_cast<long long>(INT_MAX) + 1)
            nValue = static_cast<long long>(INT_MAX) + 1;
    }
    if (bNegative)
        return static_cast<int>(-nValue);
    return nValue > INT_MAX ? INT_MAX : static_cast<int>(nValue);
}

void SplitFtpUrl(const char *strUrl, FTP_URL_PARTS *pParts)
{
    *pParts = FTP_URL_PARTS{nullptr, nullptr, nullptr, nullptr, nullptr, DEFAULT_PORT};
    if (!IsNonEmpty(strUrl))
        return;

    const char *strRest = HasFtpPrefix(strUrl) ? strUrl + FTP_PREFIX_LEN : strUrl;

    int nAt = IndexOfChar(strRest, '@');
    if (nAt >= 0) {
        pParts->strUserId = CopyLeft(strRest, nAt);
        strRest += nAt + 1;
        int nColon = pParts->strUserId ? IndexOfChar(pParts->strUserId, ':') : -1;
        if (nColon >= 0) {
            pParts->strPassword = CopyFromIndex(pParts->strUserId, nColon + 1);
            pParts->strUserId[nColon] = '\0';
        }
    }

    int nSlash = IndexOfChar(strRest, '/');
    int nHostEnd = nSlash >= 0 ? nSlash : static_cast<int>(strlen(strRest));
    int nPortColon = IndexOfChar(strRest, ':');
    if (nPortColon >= 0 && (nSlash < 0 || nPortColon < nSlash)) {
        pParts->nPort = ReadDecimal(strRest + nPortColon + 1);
        nHostEnd = nPortColon;
    }

    if (nSlash >= 0) {
        pParts->strPath = CopyFromIndex(strRest, nSlash + 1);
        if (IsNonEmpty(pParts->strPath)) {
            int nLastSlash = IndexOfLastChar(pParts->strPath, '/');
            pParts->strFileName = CopyFromIndex(pParts->strPath, nLastSlash + 1);
        }
    }
    pParts->strHost = CopyLeft(strRest, nHostEnd);
}

void FreeFtpUrlParts(FTP_URL_PARTS *pParts)
{
    ReplaceOwnedString(&pParts->strHost, nullptr);
    ReplaceOwnedString(&pParts->strUserId, nullptr);
    ReplaceOwnedString(&pParts->strPassword, nullptr);
    ReplaceOwnedString(&pParts->strPath, nullptr);
    ReplaceOwnedString(&pParts->strFileName, nullptr);
}

char *BuildFtpUrl(const char *strHost, const char *strUserId, const char *strPassword,
                  const char *strPath, int nPort)
{
    strHost = NullToEmpty(strHost);
    strUserId = NullToEmpty(strUserId);
    strPath = NullToEmpty(strPath);
    strPassword = IsNonEmpty(strUserId) ? NullToEmpty(strPassword) : "";

    char strPortText[16] = "";
    if (nPort != DEFAULT_PORT)
        snprintf(strPortText, sizeof strPortText, ":%d", nPort);
    const char *strSeparator = strPath[0] == '/' ? "" : "/";

    size_t nSize = strlen(strHost) + strlen(strUserId) + strlen(strPassword) + strlen(strPath) + 52;
    char *strUrl = static_cast<char *>(malloc(nSize));
    if (!strUrl)
        return nullptr;
    snprintf(strUrl, nSize < URL_TEXT_CAP ? nSize : URL_TEXT_CAP, "ftp://%s%s%s%s%s%s%s%s",
             strUserId, IsNonEmpty(strPassword) ? ":" : "", strPassword,
             IsNonEmpty(strUserId) ? "@" : "", strHost, strPortText, strSeparator, strPath);
    return strUrl;
}
