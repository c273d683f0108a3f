#pragma once

#include <windows.h>

#include "ScrDialog.h"
#include "ScrForm.h"

// Forms of the three roles as small as the framework's tests need them: a black saver and
// preview, and a settings dialog that Escape or the close box ends.  (The graph saver's own
// forms need its settings and graph files; the framework is tested without them.)

class TBlackSaverForm : public TScrForm {
public:
  explicit TBlackSaverForm(TComponent* owner) : TScrForm(owner) {
    SetName("SaverForm");
    SetCaption("Plotvane");
    SetColor(RGB(0, 0, 0));
    SetCursor(crNone);
  }
};

class TBlackPreviewForm : public TScrForm {
public:
  explicit TBlackPreviewForm(TComponent* owner) : TScrForm(owner) {
    SetName("SPreviewForm");
    Purpose = smSPreview;
    SetColor(RGB(0, 0, 0));
  }
};

class TSettingsDialog : public TScrDialog {
public:
  explicit TSettingsDialog(TComponent* owner) : TScrDialog(owner) {
    SetName("ConfigForm");
    SetCaption("Plotvane Settings");
    SetBounds(200, 150, 360, 240);
  }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
      Close();
      return 0;
    }
    return TScrDialog::WndProc(message, wParam, lParam);
  }
};
