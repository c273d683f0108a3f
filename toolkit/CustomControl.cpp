#include "CustomControl.h"

#include "DeviceContext.h"
#include "GdiObject.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Repaint() {
  if (!HandleAllocated()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void TCustomControl::PaintBuffered(HDC target, const RECT& area) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  TMemoryDC buffer(target);
  TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
  TSelection selected(buffer.Get(), bitmap.Get());
  FillRect(buffer.Get(), &client, ColorBrush());
  {
    TSavedDC saved(buffer.Get());
    Paint(buffer.Get());
  }
  PaintControls(buffer.Get());
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
         buffer.Get(), area.left, area.top, SRCCOPY);
}

LRESULT TCustomControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      PaintBuffered(dc, paint.rcPaint);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(Handle(), &client);
      PaintBuffered(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
