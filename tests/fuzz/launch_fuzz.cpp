// Fuzz target of the URL codec and the cache naming: hostile command lines must decode within
// capacity, split into parts taken from the text, rebuild within the formatting limit, and
// give a safe cache name inside the cache folder.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "launch/cache_name.h"
#include "launch/heap_text.h"
#include "launch/mbcs.h"
#include "launch/urlcodec.h"
#include "unit/launch/safe_name_check.h"

// Checked in every build: the release flags of the native build switch assert off.
#define FUZZ_CHECK(cond)                                                 \
    do {                                                                 \
        if (!(cond)) {                                                   \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            abort();                                                     \
        }                                                                \
    } while (0)

static const char CACHE_DIR[] = "C:\\Users\\u\\AppData\\Local\\Temp\\ftpurls\\";

// Occupies the first nTaken names, so the copy numbers are exercised too.
static bool FirstNamesTaken(const char *, void *pContext)
{
    int *pTaken = static_cast<int *>(pContext);
    return (*pTaken)-- > 0;
}

static void CheckPart(const char *strPart, const std::string &strText)
{
    if (strPart)
        FUZZ_CHECK(strText.find(strPart) != std::string::npos);
}

static bool EndsWith(const std::string &strText, const char *strTail)
{
    size_t nTail = strlen(strTail);
    return nTail <= strText.size() && strText.compare(strText.size() - nTail, nTail, strTail) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    UseCodePageForTests(pData[0] & 1 ? 932 : 0);
    size_t nCapacity = pData[1] < 128 ? 1 + pData[1] : 4096;
    int nTaken = pData[0] >> 4;
    std::string strInput(reinterpret_cast<const char *>(pData + 2), nSize - 2);
    strInput = strInput.c_str();

    // The destination has exactly its capacity, so any write beyond it is an overrun.
    HeapText decoded(static_cast<char *>(malloc(nCapacity)));
    DecodeUrlEscapes(decoded.str, strInput.c_str(), nCapacity);
    std::string strDecoded = decoded.str;
    FUZZ_CHECK(strDecoded.size() < nCapacity);

    FTP_URL_PARTS parts;
    SplitFtpUrl(strDecoded.c_str(), &parts);
    CheckPart(parts.strHost, strDecoded);
    CheckPart(parts.strUserId, strDecoded);
    CheckPart(parts.strPassword, strDecoded);
    CheckPart(parts.strPath, strDecoded);
    if (parts.strPath)
        FUZZ_CHECK(EndsWith(strDecoded, parts.strPath));
    if (parts.strFileName)
        FUZZ_CHECK(parts.strPath && EndsWith(parts.strPath, parts.strFileName));
    if (!strDecoded.empty())
        FUZZ_CHECK(parts.strHost);

    HeapText url(BuildFtpUrl(parts.strHost, parts.strUserId, parts.strPassword, parts.strPath, parts.nPort));
    FUZZ_CHECK(url.Get() && strlen(url.Get()) <= 1023);

    char strLocalFile[CACHE_PATH_CAP];
    if (ChooseCacheFileName(CACHE_DIR, parts.strPath ? parts.strPath : strDecoded.c_str(), strLocalFile,
                            FirstNamesTaken, &nTaken)) {
        size_t nDirLen = strlen(CACHE_DIR);
        FUZZ_CHECK(strlen(strLocalFile) < CACHE_PATH_CAP);
        FUZZ_CHECK(strncmp(strLocalFile, CACHE_DIR, nDirLen) == 0);
        std::string strName = strLocalFile + nDirLen;
        FUZZ_CHECK(SafeNameFault(strName).empty());
    } else {
        FUZZ_CHECK(strLocalFile[0] == '\0');
    }
    FreeFtpUrlParts(&parts);
    return 0;
}
