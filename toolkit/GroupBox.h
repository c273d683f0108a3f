#pragma once

#include "CustomControl.h"

// A titled frame that holds other controls: an etched line round the control, broken at the
// top-left by the caption.
class TGroupBox : public TCustomControl {
public:
  explicit TGroupBox(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(HDC dc) override;
};
