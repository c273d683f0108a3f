#include "UpDown.h"

#include <commctrl.h>

#include "Edit.h"

namespace {

void LoadUpDownClass() {
  static bool loaded = false;  // once per process, like the class it registers
  if (loaded) return;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
  loaded = InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { StoreBounds(0, 0, 16, 21); }

void TUpDown::CreateParams(TCreateParams& params) {
  LoadUpDownClass();
  TWinControl::CreateParams(params);
  params.className = UPDOWN_CLASSA;
  params.subclass = true;
  params.style = (params.style & ~WS_CLIPCHILDREN) | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                 UDS_ARROWKEYS | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
  HWND window = Handle();
  SendMessageA(window, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  if (associate_) SendMessageA(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  SendMessageA(window, UDM_SETPOS32, 0, position_);
}

void TUpDown::DestroyWnd() { position_ = Position(); }

void TUpDown::SetAssociate(TEdit* edit) {
  associate_ = edit;
  if (WindowHandle())
    SendMessageA(WindowHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit ? edit->Handle() : nullptr), 0);
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (WindowHandle()) SendMessageA(WindowHandle(), UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

int TUpDown::Position() const {
  if (!WindowHandle()) return position_;
  BOOL failed = FALSE;
  const int position = static_cast<int>(SendMessageA(WindowHandle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return failed ? position_ : position;
}

void TUpDown::SetPosition(int position) {
  position_ = position;
  if (WindowHandle()) SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position);
}
