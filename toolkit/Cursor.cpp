#include "Cursor.h"

#include <windows.h>

namespace {

// Process-wide: the cursor is the screen's, not a window's.
int hourglassDepth = 0;

// The cursor the window under the mouse wants, asked for as a mouse move would.
void RefreshCursor() {
  POINT point;
  GetCursorPos(&point);
  HWND window = WindowFromPoint(point);
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
  const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(hit, WM_MOUSEMOVE));
}

}  // namespace

THourglass::THourglass() {
  ++hourglassDepth;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

THourglass::~THourglass() {
  if (--hourglassDepth == 0) {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    RefreshCursor();
  }
}

bool ToolkitCursorOverridden() { return hourglassDepth > 0; }
