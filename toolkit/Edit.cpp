#include "Edit.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, 21);
  SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "EDIT";
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | ES_AUTOHSCROLL;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  if (maxLength_) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetMaxLength(int length) {
  maxLength_ = length;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange(this);
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // With a key handler the field takes Enter itself rather than leaving it to the form's
  // default button.
  if (message == WM_GETDLGCODE && OnKeyPress && wParam == VK_RETURN)
    return TWinControl::WndProc(message, wParam, lParam) | DLGC_WANTMESSAGE;
  // A single-line field beeps at Enter; the handler has seen it.
  if (message == WM_CHAR && wParam == '\r' && OnKeyPress) {
    char key = '\r';
    OnKeyPress(this, key);
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
