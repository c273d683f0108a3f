#include "Panel.h"

#include <string>

#include "DeviceContext.h"
#include "Font.h"
#include "GdiObject.h"

void ToolkitDrawBevel(HDC dc, RECT& rect, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF topLeft = bevel == bvRaised ? light : dark;
  const COLORREF bottomRight = bevel == bvRaised ? dark : light;
  for (int i = 0; i < width; ++i) {
    TGdiObject<HBRUSH> first(CreateSolidBrush(topLeft));
    TGdiObject<HBRUSH> second(CreateSolidBrush(bottomRight));
    RECT top = {rect.left, rect.top, rect.right - 1, rect.top + 1};
    RECT left = {rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    RECT bottom = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
    RECT right = {rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, first.Get());
    FillRect(dc, &left, first.Get());
    FillRect(dc, &bottom, second.Get());
    FillRect(dc, &right, second.Get());
    InflateRect(&rect, -1, -1);
  }
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // Tab moves on into the panel's controls.
  params.exStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
  bevelOuter_ = bevel;
  Repaint();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
  bevelInner_ = bevel;
  Repaint();
}

void TCustomPanel::SetBevelWidth(int width) {
  bevelWidth_ = width;
  Repaint();
}

void TCustomPanel::Paint(HDC dc) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  ToolkitDrawBevel(dc, rect, bevelOuter_, bevelWidth_);
  ToolkitDrawBevel(dc, rect, bevelInner_, bevelWidth_);
  const std::string caption = Caption();
  if (caption.empty()) return;
  TSelection font(dc, ToolkitDefaultFont(Dpi()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
