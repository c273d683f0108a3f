#pragma once

// The slideshow preview: a black, borderless, top-most window over the whole screen that
// shows the main window's pictures one per interval, centred a little above the middle, with
// the animated logo near the bottom edge, and closes on a key, a click or a real mouse
// movement.  A new one is made for each preview; it reads the image list afresh at every
// tick and never changes it.

#include "Form.h"
#include "ListBox.h"
#include "SaverRules.h"
#include "TimerEx.h"

class TSaverForm : public TForm {
public:
  // filelist: the main window's image list, which must outlive the preview and hold at least
  // one entry when the preview is shown.
  TSaverForm(TComponent* owner, TListBox& filelist);
  ~TSaverForm() override;

  // The picture timer: its Interval (milliseconds) is set by the caller before Show; it
  // starts when the first picture is shown.
  TTimerEx& Timer() const;

  // True once the close routine has run: the cursor is back, the window hidden and of no
  // further use.  OnClosed then runs once, from inside one of the window's handlers, so
  // whoever owns the preview destroys it later, not from OnClosed itself.
  bool Closed() const { return closed_; }
  TNotifyEvent OnClosed;

private:
  void FormShow();
  void TimerTimer();
  void FormResize();
  void FormMouseMove(int x, int y);
  void CloseRoutine();

  // Loads entry `index` into the control of its kind and shows that control; false when the
  // ordinary picture control refused the file (already reported).
  bool ShowEntry(int index);
  void PlacePictures(int raise);
  // Shows the error being handled above the preview, the pointer visible meanwhile.
  void ReportError();

  TListBox& filelist_;
  int nextIndex_ = 0;
  TSaverPointer pointer_;
  int placedWidth_ = 0, placedHeight_ = 0;  // the window size the pictures were placed for
  bool cursorHidden_ = false;
  bool closed_ = false;
};
