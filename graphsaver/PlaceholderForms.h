#pragma once

#include "ScrDialog.h"
#include "ScrForm.h"

// Stand-ins for the graph saver's three forms until the graph view exists, so that every
// mode of the module runs end to end: a black full-screen saver, a black preview and an
// empty settings dialog.  They carry the class names the module entry will keep using.

// The full-screen saver: black, no cursor.
class TSaverForm : public TScrForm {
public:
  explicit TSaverForm(TComponent* owner);
};

// The control panel's preview: black.
class TSPreviewForm : public TScrForm {
public:
  explicit TSPreviewForm(TComponent* owner);
};

// The settings dialog: nothing to set yet; Escape or the close box ends it.
class TConfigForm : public TScrDialog {
public:
  explicit TConfigForm(TComponent* owner);

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
