#include "GroupBox.h"

#include <string>

#include "DeviceContext.h"
#include "Font.h"
#include "Scale.h"

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) { StoreBounds(0, 0, 185, 105); }

void TGroupBox::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.exStyle |= WS_EX_CONTROLPARENT;
}

void TGroupBox::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  TSelection font(dc, ToolkitDefaultFont(Dpi()));
  const int inset = ToolkitScale(8, Dpi()), gapWidth = ToolkitScale(2, Dpi());
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  const std::string caption = Caption();
  if (caption.empty()) return;
  RECT text = {inset, 0, client.right - inset, metrics.tmHeight};
  DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  RECT gap = {text.left - gapWidth, text.top, text.right + gapWidth, text.bottom};
  FillRect(dc, &gap, ColorBrush());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
}
