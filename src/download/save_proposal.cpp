// The file name proposed in the Save As dialog, made from the remote file's name.
#include "download/save_proposal.h"

#include "launch/mbcs.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

// An extension longer than this is treated as part of the base when the name must be cut.
constexpr size_t KEPT_EXTENSION_MAX = 16;

bool IsForbiddenInFileName(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7f || std::string_view("<>:\"/\\|?*").find(static_cast<char>(ch)) !=
                                           std::string_view::npos;
}

// Byte length of the longest prefix of str no longer than nMax that ends on a character boundary.
size_t PrefixOnBoundary(const std::string &str, size_t nMax)
{
    const char *pStart = str.c_str();
    const char *p = pStart;
    while (*p) {
        const char *pNext = NextChar(p);
        if (static_cast<size_t>(pNext - pStart) > nMax)
            break;
        p = pNext;
    }
    return static_cast<size_t>(p - pStart);
}

// Offset of the last '.' that is a whole character, or npos.
size_t LastDot(const std::string &str)
{
    size_t nDot = std::string::npos;
    for (const char *p = str.c_str(); *p; p = NextChar(p)) {
        if (*p == '.')
            nDot = static_cast<size_t>(p - str.c_str());
    }
    return nDot;
}

bool IsDeviceName(const std::string &strName)
{
    static const char *const DEVICES[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    std::string strBase = strName.substr(0, strName.find('.'));
    while (!strBase.empty() && strBase.back() == ' ')
        strBase.pop_back();
    for (char &ch : strBase) {
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    for (const char *strDevice : DEVICES) {
        if (strBase == strDevice)
            return true;
    }
    return strBase.size() == 4 && (strBase.compare(0, 3, "COM") == 0 || strBase.compare(0, 3, "LPT") == 0) &&
           strBase[3] >= '1' && strBase[3] <= '9';
}

} // namespace

void ProposeSaveName(const char *strRemoteFile, char *strOut, size_t nCapacity)
{
    if (nCapacity == 0)
        return;
    std::string strName;
    for (const char *p = strRemoteFile ? strRemoteFile : ""; *p;) {
        const char *pNext = NextChar(p);
        if (pNext - p == 1 && IsForbiddenInFileName(static_cast<unsigned char>(*p)))
            strName += '_';
        else
            strName.append(p, static_cast<size_t>(pNext - p));
        p = pNext;
    }
    while (!strName.empty() && (strName.back() == ' ' || strName.back() == '.'))
        strName.pop_back();
    if (IsDeviceName(strName))
        strName.insert(0, 1, '_');

    size_t nMax = nCapacity - 1 < SAVE_NAME_MAX ? nCapacity - 1 : SAVE_NAME_MAX;
    if (strName.size() > nMax) {
        size_t nDot = LastDot(strName);
        std::string strExt;
        if (nDot != std::string::npos && nDot > 0 && strName.size() - nDot <= KEPT_EXTENSION_MAX &&
            strName.size() - nDot < nMax)
            strExt = strName.substr(nDot);
        std::string strBase = strName.substr(0, strName.size() - strExt.size());
        strBase.resize(PrefixOnBoundary(strBase, nMax - strExt.size()));
        while (!strBase.empty() && (strBase.back() == ' ' || strBase.back() == '.'))
            strBase.pop_back();
        strName = strBase + strExt;
    }
    memcpy(strOut, strName.c_str(), strName.size() + 1);
}
