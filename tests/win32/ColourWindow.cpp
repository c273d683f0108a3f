// A window whose client area is one known colour, for the screenshot check of the Wine
// harness.  It closes on Escape (exit status 0) or by itself after 60 s (exit status 3), so a
// harness that cannot deliver keys fails instead of hanging.
#include <windows.h>

namespace {

constexpr COLORREF ProbeColour = RGB(0x20, 0xA0, 0x60);
constexpr UINT_PTR GiveUpTimer = 1;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      HBRUSH brush = CreateSolidBrush(ProbeColour);
      FillRect(dc, &paint.rcPaint, brush);
      DeleteObject(brush);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_TIMER:
      PostQuitMessage(3);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ProbeWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "PlotvaneColourProbe";
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Plotvane colour probe",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 240, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 2;
  SetTimer(window, GiveUpTimer, 60000, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
