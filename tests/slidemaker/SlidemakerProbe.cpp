// Reads the editor's windows from outside its process, as the window tests need them:
//
//   slidemaker_probe dump TITLE
//       the visible top-level window titled TITLE, then each window inside it, one per line,
//       tab-separated: class, text, enabled (0/1), visible (0/1), the screen rectangle
//       (left top width height) and the parent's text; list boxes and drop-down lists add
//       their selection, item height and items ("item<TAB>TEXT" lines).  The first line is
//       "window<TAB>TEXT<TAB>left top width height<TAB>client left top width height<TAB>topmost".
//       Exit status 1 when no such window is visible.
//   slidemaker_probe label FILE.bmp FONT HEIGHT BOLD RRGGBB BACKRRGGBB TEXT
//       the text as a label of that font (pixel height, bold 0/1) and colour draws it on that
//       background, as a 24-bit bitmap of the text's size, for comparing with a screenshot.
//   slidemaker_probe cursor
//       "showing" or "hidden": the mouse cursor of the foreground window's thread.
//   slidemaker_probe move TITLE LEFT TOP
//       moves the visible top-level window titled TITLE, as dragging its caption would.
//   slidemaker_probe handled TITLE X Y
//       waits until the system has the mouse at (X, Y) and then until the process of the
//       window titled TITLE waits for input with none pending: a pointer movement has been
//       handled.  Exit status 1 when either does not come within a minute.
//   slidemaker_probe pointer X Y
//       waits until the system has the mouse at (X, Y): Wine learns where X's pointer went
//       only when it next asks, so a program started at once may still see the old place.
//       Exit status 1 when that does not come within a minute.
//   slidemaker_probe short PATH
//       the 8.3 short form of PATH (GetShortPathNameA), as some systems record a saver.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DeviceContext.h"
#include "Font.h"
#include "GdiObject.h"

namespace {

std::string TextOf(HWND window) {
  char text[1024] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  std::string s = text;
  for (char& c : s)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return s;
}

std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

void PrintRect(const RECT& r) { std::printf("%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top); }

struct TFind {
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<TFind*>(data);
  if (IsWindowVisible(window) && TextOf(window) == find->title) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK DumpChild(HWND window, LPARAM) {
  const std::string kind = ClassOf(window);
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%s\t%s\t%d\t%d\t", kind.c_str(), TextOf(window).c_str(), IsWindowEnabled(window) ? 1 : 0,
              IsWindowVisible(window) ? 1 : 0);
  PrintRect(r);
  std::printf("\t%s\n", TextOf(GetParent(window)).c_str());
  const bool list = kind == "ListBox", combo = kind == "ComboBox";
  if (!list && !combo) return TRUE;
  const LRESULT count = SendMessageA(window, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
  std::printf("selection\t%ld\titemheight\t%ld\n",
              static_cast<long>(SendMessageA(window, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0)),
              static_cast<long>(SendMessageA(window, list ? LB_GETITEMHEIGHT : CB_GETITEMHEIGHT, 0, 0)));
  for (LRESULT i = 0; i < count && i < 1000; ++i) {  // a bound for a list gone wrong
    // Asked for in UTF-16: Wine hands a drop-down list's items across processes in UTF-16
    // even to the narrow message.  Printed in the editor's code page like the rest.
    wchar_t wide[1024] = L"";
    SendMessageW(window, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char item[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof item, nullptr, nullptr);
    std::printf("item\t%s\n", item);
  }
  return TRUE;
}

HWND FindVisible(const char* title) {
  TFind find{title};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&find));
  if (!find.found) std::fprintf(stderr, "no visible window titled '%s'\n", title);
  return find.found;
}

int Move(const char* title, int left, int top) {
  HWND window = FindVisible(title);
  return window && SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

int Dump(const char* title) {
  TFind find{title};
  find.found = FindVisible(title);
  if (!find.found) return 1;
  RECT r, client;
  GetWindowRect(find.found, &r);
  GetClientRect(find.found, &client);
  MapWindowPoints(find.found, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::printf("window\t%s\t", TextOf(find.found).c_str());
  PrintRect(r);
  std::printf("\t");
  PrintRect(client);
  std::printf("\t%d\n", (GetWindowLongA(find.found, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  EnumChildWindows(find.found, DumpChild, 0);
  return 0;
}

COLORREF Colour(const char* hex) {
  const unsigned long v = std::strtoul(hex, nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Label(char** args) {
  TFont font;
  font.Name = args[1];
  font.Height = std::atoi(args[2]);
  font.Bold = std::atoi(args[3]) != 0;
  font.Color = Colour(args[4]);
  const std::string text = args[6];
  // Labels of the default face and size draw with the toolkit's one dialog font.
  TGdiObject<HFONT> own(font == TFont{} ? nullptr : ToolkitCreateFont(font));
  const HFONT handle = own ? own.Get() : ToolkitDefaultFont();
  TWindowDC screen(nullptr);
  TMemoryDC dc(screen.Get());
  RECT size = {0, 0, 0, 0};
  {
    TSelection selected(dc.Get(), handle);
    DrawTextA(dc.Get(), text.c_str(), -1, &size, DT_NOCLIP | DT_SINGLELINE | DT_CALCRECT);
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.right;
  info.bmiHeader.biHeight = size.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    TSelection selectedBitmap(dc.Get(), bitmap.Get());
    TSelection selectedFont(dc.Get(), handle);
    TGdiObject<HBRUSH> back(CreateSolidBrush(Colour(args[5])));
    FillRect(dc.Get(), &size, back.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), font.Color);
    DrawTextA(dc.Get(), text.c_str(), -1, &size, DT_NOCLIP | DT_SINGLELINE);
    GdiFlush();
  }
  const DWORD stride = (size.right * 3 + 3) / 4 * 4, pixels = stride * size.bottom;
  BITMAPFILEHEADER header = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + pixels), 0, 0,
                             sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  FILE* out = std::fopen(args[0], "wb");
  if (!out) return 1;
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::fwrite(bits, 1, pixels, out);
  return std::fclose(out) == 0 ? 0 : 1;
}

int Cursor() {
  CURSORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) return 1;
  std::printf("%s\n", (info.flags & CURSOR_SHOWING) ? "showing" : "hidden");
  return 0;
}

int Pointer(int x, int y) {
  const DWORD start = GetTickCount();
  for (POINT at = {}; !GetCursorPos(&at) || at.x != x || at.y != y; Sleep(10)) {
    if (GetTickCount() - start > 60000) {
      std::fprintf(stderr, "the mouse is at %ld %ld, not %d %d\n", at.x, at.y, x, y);
      return 1;
    }
  }
  return 0;
}

int Handled(const char* title, int x, int y) {
  if (Pointer(x, y) != 0) return 1;
  HWND window = FindVisible(title);
  if (!window) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (!process) return 1;
  const DWORD waited = WaitForInputIdle(process, 60000);
  CloseHandle(process);
  return waited == 0 ? 0 : 1;
}

int Short(const char* path) {
  char shortPath[MAX_PATH] = "";
  const DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::printf("%s\n", shortPath);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "dump" && argc == 3) return Dump(argv[2]);
  if (command == "label" && argc == 9) return Label(argv + 2);
  if (command == "cursor" && argc == 2) return Cursor();
  if (command == "handled" && argc == 5) return Handled(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "move" && argc == 5) return Move(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "pointer" && argc == 4) return Pointer(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "short" && argc == 3) return Short(argv[2]);
  std::fprintf(stderr, "usage: slidemaker_probe dump TITLE | label FILE FONT HEIGHT BOLD RGB BACK TEXT | cursor | move TITLE LEFT TOP | handled TITLE X Y | pointer X Y | short PATH\n");
  return 2;
}
