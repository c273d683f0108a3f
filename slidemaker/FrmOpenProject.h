#pragma once

// The Open project dialog, with the gradient title bar: lists the project folders afresh at
// every show, and opens the chosen one into the main window.  Created once, shown without
// blocking the main window, hidden on close.

#include "GradForm.h"

class TFrmMain;

class TFrmOpenProject : public TGradientForm {
public:
  // main must outlive the dialog.
  TFrmOpenProject(TComponent* owner, TFrmMain& main);

private:
  void FormShow();
  void BtnOkClick();

  TFrmMain& main_;
};
