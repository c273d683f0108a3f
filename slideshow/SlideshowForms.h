#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScrDialog.h"
#include "ScrForm.h"
#include "SlideFrame.h"
#include "SlideSettings.h"
#include "SlideStage.h"
#include "Slideshow.h"

// The slideshow on a saver form.  Full screen, every monitor shows its own picture, fitted to
// that monitor; parts of the window that no monitor shows stay black.  Inside the control
// panel's preview the host's area is one screen.  Pictures are read and decoded on a worker
// thread (TSlideWorker) and come back as messages, so input, painting and a GIF's animation
// never wait for a decode.  Every failure shows in a few white words in the middle of each
// screen.  The archive is the module's own name with ".pak"; it is opened at the first paint,
// when the window's size is known.  Dismissal, password and cursor are the framework's
// (TScrForm).
class TSlideshowForm : public TScrForm {
public:
  explicit TSlideshowForm(TComponent* owner);
  ~TSlideshowForm() override;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // What a screen has on the window: the frame it shows, and during a cross-fade the frames
  // it fades between.
  struct TScreenView {
    TSlideBitmap Frame;
    TSlideBitmap From, To;
    bool Fading = false;
  };

  void Begin();
  // The screens' areas in client coordinates, in dealing order.
  std::vector<TSlideRect> ScreenAreas();
  void Paint(HDC dc);
  void Delivered();
  // Shows the new pictures of these screens: at once, or by a cross-fade when that is chosen
  // and the screen had a picture.
  void ShowChanged(const std::vector<int>& screens);
  // The screen's shown picture as a frame of its size (a GIF's current frame scaled to its place).
  void ComposeShown(int screen, TSlideBitmap& frame);
  void FadeStep();
  void SyncGifTimer(int screen);
  void InvalidateScreen(int screen);

  std::string message_;
  TSlideSettings settings_;
  std::unique_ptr<TSlideshow> show_;
  std::unique_ptr<TSlideStage> stage_;
  std::vector<TScreenView> views_;
  DWORD fadeStart_ = 0;
  // Last: destroyed first, abandoning its decode before what the decode reads goes.
  std::unique_ptr<TSlideWorker> worker_;
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

// The settings dialog (/c): the archive's name, the interval and the number of pictures, and
// the saver's three options.  "OK" (Enter) saves the options for this saver, "Annulla"
// (Escape) leaves them as they were.
class TConfigForm : public TScrDialog {
public:
  explicit TConfigForm(TComponent* owner);

private:
  void BtnOkClick(TComponent* sender);
};

// The long path of the running module (GetLongPathNameA), whatever name started it; the
// archive's name is derived from it (SlideArchivePathFor).
std::string SlideModulePath();
