#include "CheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "BUTTON";
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | BS_CHECKBOX;
}

void TCheckBox::CreateWnd() {
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd() { checked_ = Checked(); }

bool TCheckBox::Checked() const {
  if (!WindowHandle()) return checked_;
  return SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool value) {
  if (value == Checked()) return;
  checked_ = value;
  if (WindowHandle()) SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void TCheckBox::CommandNotify(WORD code) {
  // The box is toggled here rather than by the system, so that a click of the user and a
  // change from code raise OnClick alike, once.
  if (code == BN_CLICKED) SetChecked(!Checked());
}

HBRUSH TCheckBox::ControlColor(HDC dc) {
  if (!Parent()) return nullptr;
  SetBkColor(dc, Parent()->Color());
  return Parent()->ColorBrush();
}
