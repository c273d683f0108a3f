#include "Label.h"

#include "DeviceContext.h"
#include "WinControl.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { TControl::SetBounds(0, 0, 65, 13); }

HFONT TLabel::FontHandle() {
  if (font_ == ToolkitScaleFont(TFont{}, Dpi())) return ToolkitDefaultFont(Dpi());
  if (!fontHandle_) fontHandle_.Reset(ToolkitCreateFont(font_));
  return fontHandle_.Get();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_NOCLIP | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TLabel::AdjustSize() {
  if (!autoSize_) {
    Invalidate();
    return;
  }
  TWindowDC screen(nullptr);
  TSelection font(screen.Get(), FontHandle());
  RECT rect = {0, 0, wordWrap_ ? Width() : 0, 0};
  // An empty caption still has the height of one line.
  const std::string measured = caption_.empty() ? std::string(" ") : caption_;
  DrawTextA(screen.Get(), measured.c_str(), -1, &rect, TextFlags() | DT_CALCRECT);
  const int width = wordWrap_ ? Width() : rect.right;
  SetBounds(Left(), Top(), width, rect.bottom);
}

void TLabel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  AdjustSize();
}

void TLabel::SetFont(const TFont& font) {
  font_ = font;
  fontHandle_.Reset();
  AdjustSize();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  AdjustSize();
}

void TLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustSize();
}

void TLabel::SetLabelColor(COLORREF color) {
  labelColor_ = color;
  Invalidate();
}

void TLabel::ChangeScale(int fromDpi, int toDpi) {
  font_.Height = scaledFontHeight_.Scale(font_.Height, fromDpi, toDpi);
  fontHandle_.Reset();
  TGraphicControl::ChangeScale(fromDpi, toDpi);
  AdjustSize();
}

void TLabel::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
  SetControlOpaque(false);
}

void TLabel::Paint(HDC dc) {
  RECT rect = {0, 0, Width(), Height()};
  if (!transparent_) {
    const COLORREF color = labelColor_ != CLR_INVALID ? labelColor_
                           : Parent()                 ? Parent()->Color()
                                                      : GetSysColor(COLOR_BTNFACE);
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.Get());
  }
  TSelection font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  if (Enabled()) {
    SetTextColor(dc, font_.Color);
    DrawTextA(dc, caption_.c_str(), -1, &rect, TextFlags());
  } else {
    RECT raised = rect;
    OffsetRect(&raised, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, caption_.c_str(), -1, &raised, TextFlags());
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, caption_.c_str(), -1, &rect, TextFlags());
  }
}
