// A browser-helper library for tests: each export returns the number in an environment variable
// (FTPLINK_FAKE_EXPLORER_RESULT, FTPLINK_FAKE_NETSCAPE_RESULT; default 0) and touches no registry,
// so a test sees exactly which entries the program deleted itself.
#include <windows.h>
#include <cstdlib>

static int ResultFromEnvironment(const char *strName)
{
    char strValue[32] = "";
    if (!GetEnvironmentVariableA(strName, strValue, sizeof strValue))
        return 0;
    return atoi(strValue);
}

extern "C" int WINAPI RemoveExplorerBhoKey(void)
{
    return ResultFromEnvironment("FTPLINK_FAKE_EXPLORER_RESULT");
}

extern "C" int WINAPI RemoveNetscapeBhoKey(void)
{
    return ResultFromEnvironment("FTPLINK_FAKE_NETSCAPE_RESULT");
}
