// A stand-in for the system's screen-saver password check ("PASSWORD.CPL"): it accepts when
// the parent window is titled "accept" and records each call in "provider-calls.txt" in the
// current folder.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND parent) {
  char title[64] = "";
  GetWindowTextA(parent, title, sizeof title);
  if (FILE* calls = std::fopen("provider-calls.txt", "at")) {
    std::fprintf(calls, "VerifyScreenSavePwd %s\n", title);
    std::fclose(calls);
  }
  return lstrcmpA(title, "accept") == 0;
}
