#pragma once

// The image picker: drive, folder and file lists with a filter, a preview of the clicked
// file (animated for GIF pictures) and "Aggiungi", which appends the file's full path to the
// main window's image list as often as it is pressed.  Created once and reused: it keeps its
// folder, filter, selection and preview between shows.

#include "Form.h"

class TFrmMain;

// The filters as description|mask pairs, "JPEG (*.jpg)" first.
inline constexpr const char* OpenImageFilter =
    "JPEG (*.jpg)|*.jpg;|GIF (*.gif)|*.gif|BMP (*.bmp)|*.bmp|ICO (*.ico)|*.ico|EMF (*.emf)|*.emf|"
    "WMF (*.wmf)|*.wmf|";

class TFrmOpenImage : public TForm {
public:
  // main must outlive the dialog.
  TFrmOpenImage(TComponent* owner, TFrmMain& main);

private:
  void FormCreate();
  void FiltermaskChange();
  void FileListClick();
  void SpeedButton1Click();

  TFrmMain& main_;
};
