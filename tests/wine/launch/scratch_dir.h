// A fixture that points TMP and TEMP at a fresh scratch folder and removes it afterwards.
#ifndef FTPLINK_TEST_SCRATCH_DIR_H
#define FTPLINK_TEST_SCRATCH_DIR_H

#include <gtest/gtest.h>

#include <string>

class ScratchTemp : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Points TMP and TEMP at a path (need not exist).
    void UseTempPath(const std::string &strPath);

    std::string strScratch;   // ends in '\'
};

void RemoveTree(const std::string &strDir);
bool CreateFileWithTime(const std::string &strPath, long long nFileTime, bool bDirectory = false);

#endif
