#include "GradForm.h"

#include <string>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "Dpi.h"
#include "DynamicLibrary.h"

namespace {

// Windows 98, 2000 and later (major version 4 or more with a minor version other than 0)
// draw gradient captions themselves; Windows 95 and NT 4.0 do not.
bool SystemDrawsGradients() {
  const DWORD version = GetVersion();
  return LOBYTE(LOWORD(version)) >= 4 && HIBYTE(LOWORD(version)) != 0;
}

// A Windows colour value 0x00BBGGRR as a 32-bit bitmap pixel 0x00RRGGBB.
uint32_t PixelOf(TGFColor colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

}  // namespace

TGradientForm::TGradientForm(TComponent* owner)
    : TForm(owner), systemDrawsGradients_(SystemDrawsGradients()) {
  UpdateTables();
  UpdateFont();
}

void TGradientForm::SetGradientColors(int value) {
  if (value < GFMinColors || value > GFMaxColors) return;
  gradientColors_ = value;
  UpdateTables();
  RedrawFrame();
}

void TGradientForm::SetCaptionTextColor(COLORREF value) {
  captionText_ = value;
  RedrawFrame();
}

void TGradientForm::SetInactiveCaptionTextColor(COLORREF value) {
  inactiveCaptionText_ = value;
  RedrawFrame();
}

void TGradientForm::SetGradientStartColor(COLORREF value) {
  start_ = value;
  UpdateTables();
  RedrawFrame();
}

void TGradientForm::SetGradientStopColor(COLORREF value) {
  stop_ = value;
  stopFollowsSystem_ = false;
  UpdateTables();
  RedrawFrame();
}

void TGradientForm::SetGradientInactiveStartColor(COLORREF value) {
  inactiveStart_ = value;
  UpdateTables();
  RedrawFrame();
}

void TGradientForm::SetGradientInactiveStopColor(COLORREF value) {
  inactiveStop_ = value;
  inactiveStopFollowsSystem_ = false;
  UpdateTables();
  RedrawFrame();
}

void TGradientForm::SetPaintGradient(TGFPaintWhen value) {
  paintGradient_ = value;
  RedrawFrame();
}

void TGradientForm::SetUseWin98Gradient(bool value) {
  useWin98Gradient_ = value;
  // Who paints the title bar is decided per message, so a repaint of the frame is enough:
  // the window need not be created again.
  RedrawFrame();
}

void TGradientForm::UpdateTables() {
  activeTable_ = GFColorTable(start_, stop_, gradientColors_);
  inactiveTable_ = GFColorTable(inactiveStart_, inactiveStop_, gradientColors_);
}

int TGradientForm::Metric(int index) {
  // The frame the system draws around the caption is that of the window's own DPI.
  return ToolkitSystemMetric(index, HandleAllocated() ? ToolkitWindowDpi(Handle()) : Dpi());
}

void TGradientForm::UpdateFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  // The system's caption font is that of the system DPI; the caption is drawn at the form's.
  metrics.lfCaptionFont.lfHeight = ToolkitScale(metrics.lfCaptionFont.lfHeight, Dpi(), ToolkitSystemDpi());
  font_.Reset(CreateFontIndirectA(&metrics.lfCaptionFont));
}

void TGradientForm::ChangeScale(int fromDpi, int toDpi) {
  TForm::ChangeScale(fromDpi, toDpi);
  UpdateFont();
}

void TGradientForm::RedrawFrame() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TGradientForm::RedrawCaption() {
  if (!HandleAllocated() || !OwnCaption()) return;
  TNonClientDC dc(Handle());
  if (dc.Get()) PaintCaption(dc.Get());
}

RECT TGradientForm::CaptionRect() {
  RECT r = {};
  if (BorderStyle() == bsNone || !HandleAllocated()) return r;
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  if (BorderStyle() == bsSizeable)
    InflateRect(&r, -Metric(SM_CXSIZEFRAME), -Metric(SM_CYSIZEFRAME));
  else
    InflateRect(&r, -Metric(SM_CXFIXEDFRAME), -Metric(SM_CYFIXEDFRAME));
  r.bottom = r.top + Metric(SM_CYCAPTION);
  return r;
}

void TGradientForm::FillGradient(HDC dc, int width, int height,
                                 const std::vector<TGFColor>& table) const {
  const int count = int(table.size());
  if ((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) || width < count) {
    // Bands of solid colour: a palette display could not show the stretched strip's colours,
    // and a narrow bar could not show every step.
    for (int i = 0; i < count; ++i) {
      const RECT band = {GFBandEdge(i, width, count), 0, GFBandEdge(i + 1, width, count), height};
      TGdiObject<HBRUSH> brush(CreateSolidBrush(table[size_t(i)]));
      FillRect(dc, &band, brush.Get());
    }
    return;
  }
  // One pixel per step, the first count − 1 stretched over the bar: the last step is the
  // stop colour itself, which the right end reaches.
  std::vector<uint32_t> strip(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) strip[size_t(i)] = PixelOf(table[size_t(i)]);
  const BITMAPINFO info = ToolkitDibInfo(count, 1);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, width, height, 0, 0, count - 1, 1, strip.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

int TGradientForm::DrawButtons(HDC dc, const RECT& area) {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  const LONG exStyle = GetWindowLongA(Handle(), GWL_EXSTYLE);
  const int width = Metric(SM_CXSIZE) - 2, height = Metric(SM_CYSIZE) - 4;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  int left = area.right - 2 - width;
  auto button = [&](UINT kind) {
    RECT r = {left, top, left + width, top + height};
    DrawFrameControl(dc, &r, DFC_CAPTION, kind);
  };
  button(DFCS_CAPTIONCLOSE);
  const bool framed = BorderStyle() == bsSingle || BorderStyle() == bsSizeable;
  if (framed && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    left -= width + 2;
    button((IsZoomed(Handle()) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
           ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
    left -= width;
    button(DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
  } else if (exStyle & WS_EX_CONTEXTHELP) {
    left -= width + 2;
    button(DFCS_CAPTIONHELP);
  }
  return left;
}

void TGradientForm::PaintCaption(HDC windowDC) {
  const RECT caption = CaptionRect();
  const int width = caption.right - caption.left, height = caption.bottom - caption.top;
  if (width <= 0 || height <= 0) return;
  TMemoryDC memory(windowDC);
  TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDC, width, height));
  if (!memory.Get() || !bitmap) return;
  TSelection selection(memory.Get(), bitmap.Get());
  const HDC dc = memory.Get();

  if (paintGradient_ == gfpAlways || (paintGradient_ == gfpActive && active_)) {
    FillGradient(dc, width, height, active_ ? activeTable_ : inactiveTable_);
  } else {
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(active_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  }

  RECT r = {1, 0, width, height};
  const bool framed = BorderStyle() == bsSingle || BorderStyle() == bsSizeable;
  if (framed && (GetWindowLongA(Handle(), GWL_STYLE) & WS_SYSMENU)) {
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICON));
    if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
    const int size = Metric(SM_CXSMICON);
    DrawIconEx(dc, r.left + 1, r.top + 1, icon, size, Metric(SM_CYSMICON), 0, nullptr,
               DI_NORMAL);
    r.left += 1 + size;
  }
  r.right = DrawButtons(dc, r) - 3;

  TSelection font(dc, font_.Get() ? static_cast<HGDIOBJ>(font_.Get())
                                  : GetStockObject(DEFAULT_GUI_FONT));
  if (OnCaptionPaint) OnCaptionPaint(this, dc, r);
  SetTextColor(dc, active_ ? captionText_ : inactiveCaptionText_);
  SetBkMode(dc, TRANSPARENT);
  r.left += 2;
  std::string text = Caption();
  DrawTextA(dc, text.c_str(), int(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);

  BitBlt(windowDC, caption.left, caption.top, width, height, dc, 0, 0, SRCCOPY);
}

void TGradientForm::DisableCompositorFrame() {
  // Loaded at run time: dwmapi.dll exists from Windows Vista on, where a compositor draws the
  // frames and ignores WM_NCPAINT unless told otherwise.
  constexpr DWORD NcRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
  constexpr int NcRenderingDisabled = 1;  // DWMNCRP_DISABLED
  using TSetAttribute = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
  const TDynamicLibrary dwm("dwmapi.dll");
  const auto setAttribute = dwm.Entry<TSetAttribute>("DwmSetWindowAttribute");
  if (!setAttribute) return;
  setAttribute(Handle(), NcRenderingPolicy, &NcRenderingDisabled, sizeof NcRenderingDisabled);
  compositorFrameDisabled_ = true;
}

LRESULT TGradientForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      if (result != -1 && OwnCaption()) DisableCompositorFrame();
      return result;
    }
    case WM_NCPAINT: {
      if (!OwnCaption()) break;
      // The system paints the frame without the title bar, then the title bar is copied in
      // one step, so the flat system caption never shows.
      RECT window;
      GetWindowRect(Handle(), &window);
      RECT caption = CaptionRect();
      OffsetRect(&caption, window.left, window.top);
      TGdiObject<HRGN> rest(CreateRectRgnIndirect(&window));
      if (wParam != 1) CombineRgn(rest.Get(), rest.Get(), reinterpret_cast<HRGN>(wParam), RGN_AND);
      TGdiObject<HRGN> title(CreateRectRgnIndirect(&caption));
      CombineRgn(rest.Get(), rest.Get(), title.Get(), RGN_DIFF);
      TForm::WndProc(message, WPARAM(rest.Get()), lParam);
      RedrawCaption();
      return 0;
    }
    case WM_NCACTIVATE: {
      active_ = wParam != 0;
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      RedrawCaption();
      return result;
    }
    case WM_SETTEXT: {
      if (!OwnCaption() || settingText_) break;
      settingText_ = true;
      // The system paints its flat caption with the new text while it stores the text,
      // unless the window looks invisible for that moment.
      const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
      SetWindowLongA(Handle(), GWL_STYLE, style & ~WS_VISIBLE);
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      // Text set from outside (SetWindowTextA) becomes Caption too; the nested WM_SETTEXT of
      // SetCaption only stores the same text.
      const char* text = reinterpret_cast<const char*>(lParam);
      if (text && Caption() != text) SetCaption(text);
      SetWindowLongA(Handle(), GWL_STYLE, style);
      settingText_ = false;
      RedrawCaption();
      return result;
    }
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN:
    case WM_ENTERIDLE: {
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      RedrawCaption();
      return result;
    }
    case WM_SIZE:
      if (wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED) {
        const LRESULT result = TForm::WndProc(message, wParam, lParam);
        RedrawCaption();
        return result;
      }
      break;
    case WM_SYSCOLORCHANGE:
      if (stopFollowsSystem_) stop_ = GetSysColor(COLOR_ACTIVECAPTION);
      if (inactiveStopFollowsSystem_) inactiveStop_ = GetSysColor(COLOR_INACTIVECAPTION);
      UpdateTables();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) UpdateFont();
      break;
  }
  return TForm::WndProc(message, wParam, lParam);
}
