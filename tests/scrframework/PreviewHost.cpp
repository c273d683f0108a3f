// Stands in for the Display control panel in the end-to-end tests.
//
//   preview_host SAVER      creates a window with a 152 x 112 preview area, starts
//                           "SAVER /p <area>", checks the window tree the saver builds inside
//                           the area (classes, sizes, visibility, owning process), destroys
//                           its window and checks that the saver ends.
//   preview_host --topmost TITLE
//                           checks that the window titled TITLE is top-most and covers the
//                           virtual screen.
// Prints what it found; exit status 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool HasSize(HWND window, int width, int height) {
  RECT r;
  GetWindowRect(window, &r);
  return r.right - r.left == width && r.bottom - r.top == height;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Dispatches messages until `done` holds or a minute has passed (a saver that fails).
bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 60000) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

int Preview(const char* saver) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "PreviewHost";
  RegisterClassA(&windowClass);
  HWND frame = CreateWindowExA(0, "PreviewHost", "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               50, 50, 300, 250, nullptr, nullptr, windowClass.hInstance, nullptr);
  HWND area = CreateWindowExA(0, "PreviewHost", "", WS_CHILD | WS_VISIBLE, 20, 20, 152, 112,
                              frame, nullptr, windowClass.hInstance, nullptr);

  std::string commandLine = "\"";
  commandLine += saver;
  commandLine += "\" /p ";
  commandLine += std::to_string(reinterpret_cast<UINT_PTR>(area));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::printf("FAILED: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    return 1;
  }

  // Until the saver has shown its form in the proxy (or failed to within the bound).
  HWND proxy = nullptr, form = nullptr;
  PumpUntil([&] {
    proxy = GetWindow(area, GW_CHILD);
    form = proxy ? GetWindow(proxy, GW_CHILD) : nullptr;
    return form && IsWindowVisible(form);
  });
  Check(proxy && ClassOf(proxy) == "ProxyChild", "the saver put a ProxyChild window into the area");
  Check(proxy && HasSize(proxy, 152, 112), "the proxy has the area's size");
  Check(proxy && ProcessOf(proxy) == process.dwProcessId, "the proxy belongs to the saver process");
  Check(form && ClassOf(form) == "ToolkitForm", "the preview form sits inside the proxy");
  Check(form && HasSize(form, 152, 112), "the preview form has the area's size");
  Check(form && IsWindowVisible(form), "the preview form is visible");
  Check(form && ProcessOf(form) == process.dwProcessId, "the preview form belongs to the saver process");

  DestroyWindow(frame);
  DWORD waited = WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  Check(waited == WAIT_OBJECT_0 && exitCode == 0, "the saver ended with status 0 when its host window went");
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 9);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return failures == 0 ? 0 : 1;
}

int TopMost(const char* title) {
  HWND window = FindWindowA(nullptr, title);
  Check(window != nullptr, "the full-screen window exists");
  if (!window) return 1;
  Check((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "it is top-most");
  Check(HasSize(window, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)),
        "it has the size of the virtual screen (every monitor)");
  RECT r;
  GetWindowRect(window, &r);
  Check(r.left == GetSystemMetrics(SM_XVIRTUALSCREEN) && r.top == GetSystemMetrics(SM_YVIRTUALSCREEN),
        "it starts at the virtual screen's corner");
  Check((GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) == 0, "it has no caption");
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return Preview(argv[1]);
  if (argc == 3 && std::string(argv[1]) == "--topmost") return TopMost(argv[2]);
  std::fprintf(stderr, "usage: preview_host SAVER | preview_host --topmost TITLE\n");
  return 2;
}
