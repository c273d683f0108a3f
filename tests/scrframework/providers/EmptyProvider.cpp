// A "PASSWORD.CPL" that exports nothing, for the missing-entry path.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
