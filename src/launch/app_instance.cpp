// The program's instance handle, recorded by WinMain and used to load resources.
#include <windows.h>

HINSTANCE hAppInstance;
