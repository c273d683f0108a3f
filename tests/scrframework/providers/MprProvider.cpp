// A stand-in for the system's password-change entry ("MPR.DLL"): records its arguments in
// "provider-calls.txt" in the current folder.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent,
                                                                  DWORD flags, LPVOID reserved) {
  if (FILE* calls = std::fopen("provider-calls.txt", "at")) {
    std::fprintf(calls, "PwdChangePasswordA %s %s %lu %s\n", provider,
                 IsWindow(parent) ? "window" : "no-window", static_cast<unsigned long>(flags),
                 reserved ? "reserved" : "null");
    std::fclose(calls);
  }
  return 0;
}
