// An independent check that a cache file name is safe: used by the unit tests and the fuzzer.
#ifndef FTPLINK_TEST_SAFE_NAME_CHECK_H
#define FTPLINK_TEST_SAFE_NAME_CHECK_H

#include <cstring>
#include <string>

#include "launch/mbcs.h"

// Empty when the name is safe, else what is wrong with it.
inline std::string SafeNameFault(const std::string &strName)
{
    if (strName.empty())
        return "empty";
    if (strName.back() == '.' || strName.back() == ' ')
        return "ends in a dot or blank";
    for (size_t i = 0; i < strName.size(); ++i) {
        auto ch = static_cast<unsigned char>(strName[i]);
        if (IsLeadByte(ch)) {
            if (i + 1 >= strName.size() || !IsTrailByte(static_cast<unsigned char>(strName[i + 1])))
                return "lead byte without trail byte";
            ++i;
            continue;
        }
        if (ch < 0x20 || ch == 0x7F || strchr("\\/:*?\"<>|", ch))
            return "forbidden byte " + std::to_string(ch);
    }
    std::string strStem = strName.substr(0, strName.find('.'));
    while (!strStem.empty() && strStem.back() == ' ')
        strStem.pop_back();
    for (char &ch : strStem)
        ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    static const char *const DEVICES[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char *strDevice : DEVICES) {
        if (strStem == strDevice)
            return "device name";
    }
    auto chDigit = static_cast<unsigned char>(strStem.size() == 4 ? strStem[3] : 0);
    bool bDeviceDigit = (chDigit >= '0' && chDigit <= '9') || chDigit == 0xB9 || chDigit == 0xB2 || chDigit == 0xB3;
    if (bDeviceDigit && (strStem.compare(0, 3, "COM") == 0 || strStem.compare(0, 3, "LPT") == 0))
        return "device name";
    return "";
}

#endif
