// Error texts: what failed, the Winsock reason in words, and a detail; always terminated when cut.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "error_text.h"

namespace {

TEST(ErrorText, Sentences)
{
    const struct {
        EngineError eError;
        int nSysError;
        const char *strDetail;
        const char *strExpected;
    } cases[] = {
        {ERR_CONNECT, 10061, "ftp.example.com",
         "Could not connect to the server: the connection was refused (10061): ftp.example.com"},
        {ERR_DATA_TIMEOUT, 10060, nullptr, "The transfer stalled: the connection timed out (10060)"},
        {ERR_LOCAL_FILE, 5, "C:\\x", "Could not create the local file: system error 5: C:\\x"},
        {ERR_SHORT_TRANSFER, 0, "10 of 20 bytes", "The transfer ended with the wrong number of bytes: 10 of 20 bytes"},
        {ERR_REPLY_TIMEOUT, 0, "", "The server did not reply in time"},
        {ERR_RESOLVE, 11001, "nohost", "Could not find the server's address: the host name is not known (11001): nohost"},
    };
    for (const auto &c : cases) {
        char strOut[256];
        FormatEngineError(c.eError, c.nSysError, c.strDetail, strOut, sizeof strOut);
        EXPECT_STREQ(strOut, c.strExpected);
    }
}

TEST(ErrorText, CutAtCapacity)
{
    char strOut[12];
    memset(strOut, 'x', sizeof strOut);
    FormatEngineError(ERR_CONNECT, 10061, "host", strOut, sizeof strOut);
    EXPECT_EQ(strlen(strOut), sizeof strOut - 1);
}

TEST(ErrorText, WinsockTable)
{
    EXPECT_STREQ(WinsockErrorText(10054), "the connection was reset by the server");
    EXPECT_EQ(WinsockErrorText(0), nullptr);
    EXPECT_EQ(WinsockErrorText(12345), nullptr);
}

}  // namespace
