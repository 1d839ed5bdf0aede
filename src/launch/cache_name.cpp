// The choice of a cache file name: the URL's last segment is hostile text, so it is made a
// plain name inside the cache directory before the unique base(n).ext form is chosen.
#include "launch/cache_name.h"

#include <cstdio>
#include <cstring>

#include "launch/mbcs.h"
#include "launch/strutil.h"

const char CACHE_FALLBACK_NAME[] = "download";

static const char FORBIDDEN_NAME_BYTES[] = "\\/:*?\"<>|";
// "(9999)", the longest copy mark.
constexpr size_t COPY_MARK_MAX = 6;
// A name is never cut shorter than this; a cache directory that leaves less gets no name.
constexpr size_t MIN_NAME_ROOM = 16;

static bool IsForbiddenNameByte(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7F || strchr(FORBIDDEN_NAME_BYTES, ch) != nullptr;
}

// A byte pair that the file system reads as one character of the code page.
static bool IsDoubleByteAt(const char *p)
{
    return IsLeadByte(static_cast<unsigned char>(p[0])) && IsTrailByte(static_cast<unsigned char>(p[1]));
}

// Forbidden bytes and lead bytes without a valid trail byte become '_': a lone lead byte would
// otherwise be converted with the byte after it, which may be a separator.
static std::string CleanSegment(const char *strSegment)
{
    std::string strName;
    for (const char *p = strSegment; *p != '\0';) {
        if (IsDoubleByteAt(p)) {
            strName.append(p, 2);
            p += 2;
            continue;
        }
        unsigned char ch = static_cast<unsigned char>(*p);
        strName += (IsForbiddenNameByte(ch) || IsLeadByte(ch)) ? '_' : static_cast<char>(ch);
        ++p;
    }
    return strName;
}

static bool IsDeviceDigit(unsigned char ch)
{
    // The superscript digits 1, 2 and 3 of the Latin code page name devices as well.
    return (ch >= '0' && ch <= '9') || ch == 0xB9 || ch == 0xB2 || ch == 0xB3;
}

// The file system takes a device name before the first '.', trailing blanks ignored.
static bool IsDeviceName(const std::string &strName)
{
    std::string strStem = strName.substr(0, strName.find('.'));
    while (!strStem.empty() && strStem.back() == ' ')
        strStem.pop_back();
    std::string strUpper;
    for (char ch : strStem)
        strUpper += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
    if (strUpper == "CON" || strUpper == "PRN" || strUpper == "AUX" || strUpper == "NUL" ||
        strUpper == "CONIN$" || strUpper == "CONOUT$")
        return true;
    return strUpper.size() == 4 && (strUpper.compare(0, 3, "COM") == 0 || strUpper.compare(0, 3, "LPT") == 0) &&
           IsDeviceDigit(static_cast<unsigned char>(strUpper[3]));
}

// Trailing dots and blanks are dropped because the file system drops them ("." and ".."
// included); an empty name gets the fallback, a device name a '_' in front.
static std::string FinishName(std::string strName)
{
    while (!strName.empty() && (strName.back() == '.' || strName.back() == ' '))
        strName.pop_back();
    if (strName.empty())
        strName = CACHE_FALLBACK_NAME;
    if (IsDeviceName(strName))
        strName.insert(0, 1, '_');
    return strName;
}

// The longest head of the text that ends on a character boundary within nMax bytes.
static std::string CutToChars(const std::string &strText, size_t nMax)
{
    const char *str = strText.c_str();
    const char *p = str;
    while (*p != '\0' && static_cast<size_t>(NextChar(p) - str) <= nMax)
        p = NextChar(p);
    return std::string(str, static_cast<size_t>(p - str));
}

std::string MakeSafeCacheName(const char *strRemotePath)
{
    const char *strPath = NullToEmpty(strRemotePath);
    return FinishName(CleanSegment(strPath + IndexOfLastChar(strPath, '/') + 1));
}

void SplitCacheName(const std::string &strName, std::string *pBase, std::string *pExtension)
{
    int nDot = IndexOfLastChar(strName.c_str(), '.');
    if (nDot > 0 && static_cast<size_t>(nDot) + 1 < strName.size()) {
        *pBase = strName.substr(0, static_cast<size_t>(nDot));
        *pExtension = strName.substr(static_cast<size_t>(nDot));
    } else {
        *pBase = strName;
        pExtension->clear();
    }
}

bool ChooseCacheFileName(const char *strCacheDir, const char *strRemotePath, char *strLocalFile,
                         PATH_EXISTS_FN pfnExists, void *pContext)
{
    strLocalFile[0] = '\0';
    size_t nDirLen = strlen(strCacheDir);
    // One byte stays free for the '_' that a cut name may need in front.
    if (nDirLen + COPY_MARK_MAX + 1 + MIN_NAME_ROOM > CACHE_PATH_CAP - 1)
        return false;
    size_t nRoom = CACHE_PATH_CAP - 1 - nDirLen - COPY_MARK_MAX - 1;

    std::string strBase;
    std::string strExtension;
    SplitCacheName(MakeSafeCacheName(strRemotePath), &strBase, &strExtension);
    if (strBase.size() + strExtension.size() > nRoom) {
        // The extension is kept, so the file still opens with its application, unless it
        // would take more than half the room.
        if (strExtension.size() > nRoom / 2) {
            strBase += strExtension;
            strExtension.clear();
        }
        strBase = CutToChars(strBase, nRoom - strExtension.size());
        SplitCacheName(FinishName(strBase + strExtension), &strBase, &strExtension);
    }

    char strCandidate[CACHE_PATH_CAP];
    snprintf(strCandidate, sizeof strCandidate, "%s%s%s", strCacheDir, strBase.c_str(), strExtension.c_str());
    for (int nCopy = 1; pfnExists(strCandidate, pContext); ++nCopy) {
        if (nCopy > CACHE_MAX_COPY)
            return false;
        snprintf(strCandidate, sizeof strCandidate, "%s%s(%d)%s", strCacheDir, strBase.c_str(), nCopy,
                 strExtension.c_str());
    }
    memcpy(strLocalFile, strCandidate, sizeof strCandidate);
    return true;
}

bool IsPurgeAge(int64_t nNow, int64_t nCreated)
{
    // Unsigned arithmetic keeps the difference of any two file times defined.
    auto nAge = static_cast<int64_t>(static_cast<uint64_t>(nNow) - static_cast<uint64_t>(nCreated));
    return nAge > CACHE_PURGE_AGE;
}
