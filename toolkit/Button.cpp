#include "Button.h"

#include <string>

#include "DeviceContext.h"
#include "Font.h"
#include "Form.h"
#include "Scale.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "BUTTON";
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_ != 0)
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

HBRUSH TButton::ControlColor(HDC dc) {
  // The corners around a push button show the parent's colour.
  if (!Parent()) return nullptr;
  SetBkColor(dc, Parent()->Color());
  return Parent()->ColorBrush();
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.style = (params.style & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(HBITMAP bitmap) {
  glyph_.Reset(bitmap);
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TBitBtn::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // An owner-drawn button repaints its whole face: no erasing beneath it, no flicker.
  if (message == WM_ERASEBKGND) return 1;
  // A double click is two clicks for a button that counts presses (the arrows of a list).
  if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
  return TButton::WndProc(message, wParam, lParam);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;

  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (Default() || focused) {
    // The default button's extra black frame.
    FrameRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }

  const std::string caption = Caption();
  TSelection font(dc, ToolkitDefaultFont(Dpi()));
  SIZE text = {0, 0};
  RECT measure = {0, 0, 0, 0};
  if (!caption.empty()) {
    DrawTextA(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    text = {measure.right, measure.bottom};
  }
  BITMAP glyph = {};
  if (glyph_) GetObjectA(glyph_.Get(), sizeof glyph, &glyph);
  const int spacing = glyph_ && !caption.empty() ? ToolkitScale(4, Dpi()) : 0;
  const int total = glyph.bmWidth + spacing + text.cx;
  const int shift = pressed ? 1 : 0;
  int x = (face.right - face.left - total) / 2 + face.left + shift;
  const int centreY = (face.top + face.bottom) / 2 + shift;

  if (glyph_) {
    const int y = centreY - glyph.bmHeight / 2;
    if (disabled) {
      // Embossed from a mask of the glyph's shape: the colour glyph itself would emboss its
      // transparent background along with it.
      TGdiObject<HBITMAP> shape(CreateBitmap(glyph.bmWidth, glyph.bmHeight, 1, 1, nullptr));
      {
        TMemoryDC source(dc);
        TSelection selected(source.Get(), glyph_.Get());
        TMemoryDC mask(dc);
        TSelection selectedMask(mask.Get(), shape.Get());
        // Colour to monochrome: the background colour turns white, everything else black.
        SetBkColor(source.Get(), GetPixel(source.Get(), 0, glyph.bmHeight - 1));
        BitBlt(mask.Get(), 0, 0, glyph.bmWidth, glyph.bmHeight, source.Get(), 0, 0, SRCCOPY);
      }
      DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(shape.Get()), 0, x, y,
                 glyph.bmWidth, glyph.bmHeight, DST_BITMAP | DSS_DISABLED);
    } else {
      TMemoryDC source(dc);
      TSelection selected(source.Get(), glyph_.Get());
      const COLORREF transparent = GetPixel(source.Get(), 0, glyph.bmHeight - 1);
      TransparentBlt(dc, x, y, glyph.bmWidth, glyph.bmHeight, source.Get(), 0, 0, glyph.bmWidth,
                     glyph.bmHeight, transparent);
    }
    x += glyph.bmWidth + spacing;
  }
  if (!caption.empty()) {
    RECT place = {x, centreY - text.cy / 2, x + text.cx, centreY - text.cy / 2 + text.cy};
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
      OffsetRect(&place, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextA(dc, caption.c_str(), -1, &place, DT_SINGLELINE);
      OffsetRect(&place, -1, -1);
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, caption.c_str(), -1, &place, DT_SINGLELINE);
  }
  if (focused) {
    RECT ring = face;
    InflateRect(&ring, -ToolkitScale(4, Dpi()), -ToolkitScale(4, Dpi()));
    DrawFocusRect(dc, &ring);
  }
}
