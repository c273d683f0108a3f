#include "ScrBlurb.h"

namespace {

constexpr char BlurbWindowClass[] = "ScrkitBlurb";

HBITMAP BlurbBitmap(HWND window) {
  return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void PaintBlurb(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (HBITMAP bitmap = BlurbBitmap(window)) {
    BITMAP size;
    GetObjectA(bitmap, sizeof size, &size);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  EndPaint(window, &paint);
}

// Not through the toolkit's bridge: a plain picture with no object behind it; the window keeps
// its bitmap in its own user data.
LRESULT CALLBACK BlurbWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(LoadBitmapA(GetModuleHandleA(nullptr), "SCRBLURB")));
      break;
    case WM_DESTROY:
      if (HBITMAP bitmap = BlurbBitmap(window)) DeleteObject(bitmap);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_PAINT:
      PaintBlurb(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool ScrRegisterBlurbClass() {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), BlurbWindowClass, &windowClass)) return true;
  windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = &BlurbWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = BlurbWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

HWND ScrCreateBlurb(HWND parent) {
  RECT bounds;
  GetWindowRect(parent, &bounds);
  return CreateWindowExA(0, BlurbWindowClass, "Blurb", WS_CHILD | WS_VISIBLE, 0, 0,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}
