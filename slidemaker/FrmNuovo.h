#pragma once

// The New project dialog: a name, checked against the existing projects without regard to
// case, becomes a project folder with a fresh list file, and the main window switches to it.
// Created once, shown without blocking the main window, hidden on close.

#include "Form.h"

class TFrmMain;

class TFrmNuovo : public TForm {
public:
  // main must outlive the dialog.
  TFrmNuovo(TComponent* owner, TFrmMain& main);

private:
  void TxtProjectNameChange();
  void TxtProjectNameKeyPress(char& key);
  void BtnOkClick();

  TFrmMain& main_;
};
