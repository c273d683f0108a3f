#pragma once

#include "CustomControl.h"

// The edges a panel draws inside its border: none, sunk or raised.
enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A rectangle that holds other controls, framed by an outer and an inner bevel, with its
// caption centred.  The base a program derives its own panels from.
class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  // Width of each bevel, pixels.
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(HDC dc) override;

private:
  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
};

class TPanel : public TCustomPanel {
public:
  using TCustomPanel::TCustomPanel;
};

// Draws a bevel of `width` pixels just inside `rect` and shrinks `rect` by it.
void ToolkitDrawBevel(HDC dc, RECT& rect, TPanelBevel bevel, int width);
