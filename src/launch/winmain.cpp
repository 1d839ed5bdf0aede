// The program's entry: records the instance and hands the command line to the dispatch.
#include <windows.h>

#include "launch/dispatch.h"
#include "ui/dlgutil.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR strCmdLine, int)
{
    hAppInstance = hInstance;
    return HandleUrl(strCmdLine, hInstance);
}
