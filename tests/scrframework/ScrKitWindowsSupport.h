#pragma once

// What the framework's Win32 tests share: the trace file every line of the process goes to,
// window queries, a host window standing in for the control panel, and a catcher for the
// windows that modal calls open.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Application.h"
#include "ScrDebug.h"
#include "../support/MessagePump.h"

inline std::filesystem::path ExeFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

inline std::filesystem::path TraceFile() { return ExeFolder() / "scrkit-win-tests.log"; }

// Sends every trace line of the process to a file, from the first test on.
inline void EnsureSetUp() {
  if (ScrTraceLog().IsSetUp()) return;
  Application().Initialize();
  Application().SetTitle("ScrKit tests");
  ScrTraceLog().SetUp(tlAll, TraceFile().string(), true, "tests");
}

// The trace lines written since construction.
class TTraceMark {
public:
  TTraceMark() : start_(std::filesystem::file_size(TraceFile())) {}
  std::vector<std::string> Lines() const {
    std::ifstream in(TraceFile(), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(start_));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();  // a text file of Windows
      lines.push_back(line);
    }
    return lines;
  }

private:
  std::uintmax_t start_;
};

inline std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline std::string TextOf(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline SIZE SizeOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

inline void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// A plain window standing in for the host's preview area: a top-level frame with a
// 152 x 112 child, the size the control panel gives a preview.  A pop-up without caption:
// Wine waits seconds for a window manager to confirm when a captioned window goes.
class THostWindow {
public:
  explicit THostWindow(const char* title = "host") {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ScrKitTestHost";
    RegisterClassA(&windowClass);
    frame_ = CreateWindowExA(0, "ScrKitTestHost", title, WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 40,
                             260, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    area_ = CreateWindowExA(0, "ScrKitTestHost", title, WS_CHILD | WS_VISIBLE, 10, 10, 152, 112,
                            frame_, nullptr, windowClass.hInstance, nullptr);
  }
  ~THostWindow() {
    if (IsWindow(frame_)) DestroyWindow(frame_);
  }
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;

  HWND Frame() const { return frame_; }
  HWND Area() const { return area_; }
  void Destroy() { DestroyWindow(frame_); }

private:
  HWND frame_;
  HWND area_;
};

struct TCaughtBox {
  std::string caption;
  std::string text;
};

// While it lives, answers the windows that modal calls of this thread open: a dialog box
// ("#32770": message boxes, the about box) is recorded and pressed OK; any other visible
// top-level window goes to onWindow at every tick.  Runs from a thread timer, so it works inside every
// modal loop.
class TBoxCatcher {
public:
  explicit TBoxCatcher(std::function<void(HWND)> onWindow = {}) : onWindow_(std::move(onWindow)) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &Tick);
  }
  ~TBoxCatcher() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  TBoxCatcher(const TBoxCatcher&) = delete;
  TBoxCatcher& operator=(const TBoxCatcher&) = delete;

  std::vector<TCaughtBox> boxes;
  std::vector<int> okButtonIds;

private:
  static BOOL CALLBACK Visit(HWND window, LPARAM) {
    TBoxCatcher* self = active_;
    if (!self || !IsWindowVisible(window) || self->seen_.count(window)) return TRUE;
    self->seen_.insert(window);
    if (ClassOf(window) == "#32770") {
      char text[512] = "";
      GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the message box's text control
      self->boxes.push_back({TextOf(window), text});
      if (HWND ok = GetDlgItem(window, IDOK); ok && TextOf(ok) == "OK") self->okButtonIds.push_back(IDOK);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else if (self->onWindow_) {
      // Not remembered: the handler closes it before the next tick, and the same window may
      // be shown again at once (a dialog run twice).
      self->seen_.erase(window);
      self->onWindow_(window);
    }
    return TRUE;
  }
  static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &Visit, 0);
  }

  static inline TBoxCatcher* active_ = nullptr;
  std::function<void(HWND)> onWindow_;
  std::set<HWND> seen_;
  UINT_PTR timer_;
};


// A left click at a point of the screen, through the system's input queue as the mouse's
// would be.
inline void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

// The centre of a window's rectangle, or of a rectangle in its client area, on the screen.
inline POINT CentreOf(HWND window, const RECT* inClient = nullptr) {
  RECT r;
  if (inClient) {
    r = *inClient;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    GetWindowRect(window, &r);
  }
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
