#include "PlaceholderForms.h"

TSaverForm::TSaverForm(TComponent* owner) : TScrForm(owner) {
  SetName("SaverForm");
  SetCaption("Plotvane");
  SetColor(RGB(0, 0, 0));
  SetCursor(crNone);
}

TSPreviewForm::TSPreviewForm(TComponent* owner) : TScrForm(owner) {
  SetName("SPreviewForm");
  Purpose = smSPreview;
  SetColor(RGB(0, 0, 0));
}

TConfigForm::TConfigForm(TComponent* owner) : TScrDialog(owner) {
  SetName("ConfigForm");
  SetCaption("Plotvane Settings");
  SetBounds(200, 150, 360, 240);
}

LRESULT TConfigForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    Close();
    return 0;
  }
  return TScrDialog::WndProc(message, wParam, lParam);
}
