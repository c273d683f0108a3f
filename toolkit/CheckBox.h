#pragma once

#include "WinControl.h"

// A check box with its caption on the right.  OnClick follows every change of Checked, by the
// user or by SetChecked, so that a rule tied to the box applies however it changes.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const;
  void SetChecked(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CommandNotify(WORD code) override;
  HBRUSH ControlColor(HDC dc) override;

private:
  bool checked_ = false;  // while there is no window
};
