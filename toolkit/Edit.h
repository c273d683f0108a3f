#pragma once

#include <string>

#include "WinControl.h"

// A one-line text field.  OnChange follows every change of the text, by the user or by
// SetText, and may itself set the text (a check that puts a valid value back); OnKeyPress
// sees each typed character, Enter ('\r') included when the handler is set.
class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);

  std::string Text() const { return Caption(); }
  void SetText(std::string text) { SetCaption(std::move(text)); }
  // The most characters the user may type; 0 for no limit.
  void SetMaxLength(int length);
  void SelectAll();

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int maxLength_ = 0;
};
