// Prints the text of every child window of the top-level window titled TITLE, one per line,
// read across processes with WM_GETTEXT.  Exit status 1 when no such window appears within a minute.
//   window_texts TITLE
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_texts TITLE\n");
    return 2;
  }
  HWND window = nullptr;
  for (int i = 0; i < 600 && !window; ++i) {  // polls for up to a minute
    window = FindWindowA(nullptr, argv[1]);
    if (!window) Sleep(100);
  }
  if (!window) {
    std::fprintf(stderr, "no window titled '%s'\n", argv[1]);
    return 1;
  }
  EnumChildWindows(window, [](HWND child, LPARAM) -> BOOL {
    char text[512] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 2000, &length);
    if (text[0]) std::printf("%s\n", text);
    return TRUE;
  }, 0);
  return 0;
}
