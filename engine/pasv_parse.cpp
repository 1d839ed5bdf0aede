// Pure parsers of 227, 229, 213 and 150 reply texts; every number is range-checked.
#include "pasv_parse.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads decimal digits at nPos into nValue, refusing values above nMax; false when there is no digit.
bool ReadNumber(std::string_view sv, size_t &nPos, uint64_t nMax, uint64_t &nValue)
{
    size_t nFirst = nPos;
    nValue = 0;
    while (nPos < sv.size() && IsDigit(sv[nPos])) {
        uint64_t nDigit = static_cast<uint64_t>(sv[nPos] - '0');
        if (nValue > (nMax - nDigit) / 10)
            return false;
        nValue = nValue * 10 + nDigit;
        ++nPos;
    }
    return nPos > nFirst;
}

}  // namespace

bool ParsePasvPort(std::string_view svText, uint16_t &nPort)
{
    // Servers differ in what surrounds the six numbers; the first digit starts them.
    size_t nPos = 0;
    while (nPos < svText.size() && !IsDigit(svText[nPos]))
        ++nPos;
    uint64_t nNumbers[6];
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            if (nPos >= svText.size() || svText[nPos] != ',')
                return false;
            ++nPos;
        }
        if (!ReadNumber(svText, nPos, 255, nNumbers[i]))
            return false;
    }
    if (nPos < svText.size() && IsDigit(svText[nPos]))
        return false;
    uint64_t nValue = nNumbers[4] * 256 + nNumbers[5];
    if (nValue == 0)
        return false;
    nPort = static_cast<uint16_t>(nValue);
    return true;
}

bool ParseEpsvPort(std::string_view svText, uint16_t &nPort)
{
    size_t nOpen = svText.find('(');
    if (nOpen == std::string_view::npos || nOpen + 4 >= svText.size())
        return false;
    char cDelim = svText[nOpen + 1];
    if (cDelim < '!' || cDelim > '~' || IsDigit(cDelim) || svText[nOpen + 2] != cDelim || svText[nOpen + 3] != cDelim)
        return false;
    size_t nPos = nOpen + 4;
    uint64_t nValue;
    if (!ReadNumber(svText, nPos, 65535, nValue) || nValue == 0)
        return false;
    if (nPos + 1 >= svText.size() || svText[nPos] != cDelim || svText[nPos + 1] != ')')
        return false;
    nPort = static_cast<uint16_t>(nValue);
    return true;
}

bool ParseSizeText(std::string_view svText, uint64_t &nSize)
{
    size_t nPos = 0;
    if (!ReadNumber(svText, nPos, UINT64_MAX, nSize))
        return false;
    while (nPos < svText.size() && svText[nPos] == ' ')
        ++nPos;
    return nPos == svText.size();
}

bool ParseOpeningSize(std::string_view svText, uint64_t &nSize)
{
    constexpr std::string_view svUnit = " bytes)";
    for (size_t nOpen = svText.find('('); nOpen != std::string_view::npos; nOpen = svText.find('(', nOpen + 1)) {
        size_t nPos = nOpen + 1;
        uint64_t nValue;
        if (!ReadNumber(svText, nPos, UINT64_MAX, nValue))
            continue;
        std::string_view svRest = svText.substr(nPos, svUnit.size());
        if (svRest.size() != svUnit.size())
            continue;
        bool bMatch = true;
        for (size_t i = 0; i < svUnit.size(); ++i) {
            char c = svRest[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            bMatch = bMatch && c == svUnit[i];
        }
        if (bMatch) {
            nSize = nValue;
            return true;
        }
    }
    return false;
}
