#pragma once

#include <windows.h>

#include "GdiObject.h"
#include "WinControl.h"

// A push button.  "&" in the caption marks its access key.  The default button is clicked by
// Enter and the cancel button by Escape anywhere on its form; a button with a modal result
// sets its form's ModalResult before OnClick runs, which closes a modal form.
class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CommandNotify(WORD code) override;
  HBRUSH ControlColor(HDC dc) override;

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

// A button with a picture: the glyph left of the caption, both centred, or the glyph alone
// when the caption is empty.  The glyph's lower-left pixel is its transparent colour; a
// disabled button shows the glyph embossed in grey.
class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* owner);

  // Takes ownership of `bitmap` (a device-independent or compatible bitmap; null: none).
  void SetGlyph(HBITMAP bitmap);
  HBITMAP Glyph() const { return glyph_.Get(); }

protected:
  void CreateParams(TCreateParams& params) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  TGdiObject<HBITMAP> glyph_;
};
