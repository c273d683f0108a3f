#pragma once

#include <windows.h>

#include <string>

#include "Component.h"

// The system's file-open dialog as a component: set the properties, call Execute, read
// FileName.  The dialog lets the user pick one existing file in an existing folder
// (OFN_FILEMUSTEXIST, OFN_PATHMUSTEXIST), hides the read-only box and has the explorer look.
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  // Appended, after a ".", to a typed name that has no extension: "twk", without the dot.
  // Empty: nothing is appended.
  std::string DefaultExt;
  // The file types the user chooses from, as "description|mask" pairs (FileFilter.h):
  // "Quorvel Graph|*.twk" or "JPEG (*.jpg)|*.jpg;|GIF (*.gif)|*.gif|".  The first pair is
  // selected when the dialog opens.  Empty: every file is listed.
  std::string Filter;
  // The folder the dialog opens in when FileName names none.  Empty: the system's choice.
  std::string InitialDir;
  // Before Execute: the name shown in the name field at first (may be empty).  After an
  // Execute that returned true: the full path of the chosen file.
  std::string FileName;
  // The dialog's caption.  Empty: the system's own ("Open").
  std::string Title;

  // Shows the dialog modally over owner (null: no owner) and waits for the user.  True when
  // a file was chosen: FileName is then its full path.  False when the user cancelled:
  // FileName is unchanged.  A dialog that cannot be shown at all throws std::runtime_error
  // naming the dialog's error code, instead of looking like a cancel.
  bool Execute(HWND owner);
};
