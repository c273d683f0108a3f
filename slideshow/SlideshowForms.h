#pragma once

#include <memory>

#include "ScrDialog.h"
#include "ScrForm.h"
#include "Slideshow.h"

// The slideshow on a saver form: black, the current picture fitted and centred, the next one
// decoded ahead after each change, every failure in a few white words in the middle.  The
// archive is the module's own name with ".pak"; it is opened at the first paint, when the
// window's size is known.  Dismissal, password and cursor are the framework's (TScrForm).
class TSlideshowForm : public TScrForm {
public:
  explicit TSlideshowForm(TComponent* owner);
  ~TSlideshowForm() override;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Begin();
  void Paint(HDC dc);
  void NextPicture();
  // Hands the animation of a shown GIF its repaint and arms its timer.
  void ShowCurrent();
  void SyncGifTimer();
  RECT PictureRect();

  std::unique_ptr<TSlideshow> show_;
};

// The full-screen saver (/s).
class TSaverForm : public TSlideshowForm {
public:
  explicit TSaverForm(TComponent* owner);
};

// The same slideshow inside the control panel's preview (/p).
class TSPreviewForm : public TSlideshowForm {
public:
  explicit TSPreviewForm(TComponent* owner);
};

// The settings dialog (/c): the archive's name, the interval and the number of pictures; no
// setting to change.  "Chiudi", Enter or Escape close it.
class TConfigForm : public TScrDialog {
public:
  explicit TConfigForm(TComponent* owner);
};

// The long path of the running module (GetLongPathNameA), whatever name started it; the
// archive's name is derived from it (SlideArchivePathFor).
std::string SlideModulePath();
