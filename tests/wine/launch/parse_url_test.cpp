// The fill of DownloadRequest from a command line: login rules, port, cut fields, cache name.
#include <gtest/gtest.h>

#include <string>

#include "launch/dispatch.h"
#include "launch/request.h"
#include "wine/launch/scratch_dir.h"

using ParseUrl = ScratchTemp;

TEST_F(ParseUrl, PathGivesCacheName)
{
    ParseFtpUrl("ftp://host/pub/a%20b.zip");
    EXPECT_STREQ(DownloadRequest.strHost, "host");
    EXPECT_STREQ(DownloadRequest.strRemotePath, "pub/a b.zip");
    EXPECT_STREQ(DownloadRequest.strRemoteFile, "a b.zip");
    EXPECT_EQ(DownloadRequest.nPort, 21);
    EXPECT_STREQ(DownloadRequest.strUserId, "anonymous");
    EXPECT_STREQ(DownloadRequest.strPassword, "kelby31@");
    EXPECT_EQ(std::string(DownloadRequest.strLocalFile), strScratch + "ftpurls\\a b.zip");
}

TEST_F(ParseUrl, LoginRules)
{
    struct Row {
        const char *strUrl, *strUserId, *strPassword;
    } rows[] = {
        {"ftp://bob@host/a", "bob", ""},
        {"ftp://anonymous@host/a", "anonymous", "kelby31@"},
        {"ftp://Anonymous@host/a", "Anonymous", ""},
        {"ftp://@host/a", "", ""},
        {"ftp://bob:pw@host/a", "bob", "pw"},
        {"ftp://anonymous:me@x@host/a", "anonymous", "me"},
        {"ftp://host/a", "anonymous", "kelby31@"},
    };
    for (const auto &row : rows) {
        ResetDownloadRequest();
        ParseFtpUrl(row.strUrl);
        EXPECT_STREQ(DownloadRequest.strUserId, row.strUserId) << row.strUrl;
        EXPECT_STREQ(DownloadRequest.strPassword, row.strPassword) << row.strUrl;
    }
}

TEST_F(ParseUrl, HostOnlyAndEmptyPath)
{
    ParseFtpUrl("ftp://host:65557");
    EXPECT_EQ(DownloadRequest.nPort, 21) << "low 16 bits";
    EXPECT_STREQ(DownloadRequest.strRemotePath, "");
    EXPECT_STREQ(DownloadRequest.strCacheDir, "") << "no path, no cache name";

    ResetDownloadRequest();
    ParseFtpUrl("ftp://host/");
    EXPECT_STREQ(DownloadRequest.strRemotePath, "");
    EXPECT_EQ(std::string(DownloadRequest.strLocalFile), strScratch + "ftpurls\\download")
        << "an empty path still prepares the cache";

    ResetDownloadRequest();
    ParseFtpUrl("\"ftp://host/a\"");
    EXPECT_STREQ(DownloadRequest.strHost, "\"ftp") << "quotation marks are not removed";
}

TEST_F(ParseUrl, LongFieldsAreCut)
{
    std::string strUrl = "ftp://" + std::string(600, 'u') + ":" + std::string(600, 'p') + "@" +
                         std::string(600, 'h') + "/" + std::string(1100, 'd') + "/" + std::string(1100, 'f');
    ParseFtpUrl(strUrl.c_str());
    EXPECT_EQ(std::string(DownloadRequest.strUserId), std::string(REQ_LOGIN_CAP - 1, 'u'));
    EXPECT_EQ(std::string(DownloadRequest.strPassword), std::string(REQ_LOGIN_CAP - 1, 'p'));
    EXPECT_EQ(std::string(DownloadRequest.strHost), std::string(REQ_HOST_CAP - 1, 'h'));
    EXPECT_EQ(std::string(DownloadRequest.strRemotePath), std::string(REQ_PATH_CAP - 1, 'd'));
    EXPECT_EQ(std::string(DownloadRequest.strRemoteFile), std::string(REQ_PATH_CAP - 1, 'f'));
    EXPECT_EQ(std::string(DownloadRequest.strDecodedUrl), strUrl);
    ResetDownloadRequest();
    ParseFtpUrl((strUrl + std::string(200, 'f')).c_str());
    EXPECT_EQ(std::string(DownloadRequest.strDecodedUrl).size(), static_cast<size_t>(REQ_DECODED_CAP - 1));
    std::string strLocal = DownloadRequest.strLocalFile;
    EXPECT_EQ(strLocal.rfind(strScratch + "ftpurls\\ddd", 0), 0u) << strLocal;
    EXPECT_LT(strLocal.size(), 260u);
}
