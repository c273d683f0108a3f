#pragma once

#include "GraphicControl.h"

// A box draws one line round its rectangle; a frame draws an etched double line.
enum TBevelShape { bsBox, bsFrame };
enum TBevelStyle { bsLowered, bsRaised };

// A windowless line or frame that groups other controls visually.
class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

  void Paint(HDC dc) override;

private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
