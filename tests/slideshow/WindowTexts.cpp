// Prints the text of every child window of the top-level window titled TITLE, one per line,
// read across processes with WM_GETTEXT; a check box's line starts with "[x] " or "[ ] "
// (BM_GETCHECK).  With --click TEXT it clicks the child showing TEXT instead (BM_CLICK, as a
// mouse click on it would) and prints nothing.  Exit status 1 when no such window appears within
// a minute, or no such child.
//   window_texts TITLE [--click TEXT]
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* wanted = nullptr;  // the --click text
HWND found = nullptr;

bool IsCheckBox(HWND child) {
  char kind[32] = "";
  GetClassNameA(child, kind, sizeof kind);
  const LONG style = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiA(kind, "Button") == 0 &&
         (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE || style == BS_AUTO3STATE);
}

BOOL CALLBACK Visit(HWND child, LPARAM) {
  char text[512] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 2000, &length);
  if (wanted) {
    if (std::strcmp(text, wanted) == 0) found = child;
    return !found;
  }
  if (!text[0]) return TRUE;
  if (IsCheckBox(child)) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    std::printf("%s ", state == BST_CHECKED ? "[x]" : "[ ]");
  }
  std::printf("%s\n", text);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--click") == 0)) {
    std::fprintf(stderr, "usage: window_texts TITLE [--click TEXT]\n");
    return 2;
  }
  if (argc == 4) wanted = argv[3];
  HWND window = nullptr;
  for (int i = 0; i < 600 && !window; ++i) {  // polls for up to a minute
    window = FindWindowA(nullptr, argv[1]);
    if (!window) Sleep(100);
  }
  if (!window) {
    std::fprintf(stderr, "no window titled '%s'\n", argv[1]);
    return 1;
  }
  EnumChildWindows(window, Visit, 0);
  if (!wanted) return 0;
  if (!found) {
    std::fprintf(stderr, "no control showing '%s'\n", wanted);
    return 1;
  }
  // Posted: the click may close the dialog, and its answer is not needed.
  PostMessageA(found, BM_CLICK, 0, 0);
  return 0;
}
