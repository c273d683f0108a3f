#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "GIFAnimation.h"
#include "GIFPaintGeometry.h"
#include "GraphicControl.h"
#include "TimerEx.h"

// The animated GIF picture control: a windowless control that loads a GIF file, shows its
// composed frames at its own size, centred, stretched (also keeping the aspect ratio) or
// tiled, transparent areas showing the parent's background, and plays the animation with a
// TTimerEx.  Decoding, composition and the animation rules live in TGIFAnimation; this class
// puts them on the screen.  Everything runs on the window thread, the animation included.
//
// A new control is 105 × 105 pixels, double-buffered, empty, not opaque, visible, at speed 100.
class TGIFImage : public TGraphicControl {
public:
  explicit TGIFImage(TComponent* owner);
  ~TGIFImage() override;

  // Loads a GIF file.  A file that does not exist returns false and leaves the control as it
  // was; any other failure (not a GIF, damaged, cancelled through OnProgress) returns false
  // and leaves the control empty.  Never throws.
  bool LoadFromFile(const std::string& fileName);
  // Loads the rest of `stream` as a GIF file; failures as LoadFromFile's.
  bool LoadFromStream(std::istream& stream);
  bool LoadFromBytes(const std::vector<uint8_t>& bytes);

  bool Empty() const { return animation_.Empty(); }
  TGIFVersion Version() const { return animation_.Picture().Version; }
  // The picture's size in pixels; 0 × 0 while empty.
  int PictureWidth() const { return Empty() ? 0 : animation_.Picture().Width; }
  int PictureHeight() const { return Empty() ? 0 : animation_.Picture().Height; }
  int FrameCount() const { return animation_.FrameCount(); }
  // The composed picture and mask as they are painted (for tests and AssignTo-like copies).
  const TGIFCanvas& Canvas() const { return animation_.Canvas(); }
  // A copy of frame 1's picture with its colour table; empty while nothing is loaded.
  void AssignTo(TGIFBitmap8& target) const { animation_.AssignTo(target); }

  bool Animate() const { return animation_.Animate(); }
  void SetAnimate(bool value);
  bool Loop() const { return animation_.Loop(); }
  void SetLoop(bool value);
  int Speed() const { return animation_.Speed(); }   // percent; values below 1 become 1
  void SetSpeed(int value);
  // 1-based; values outside 1 to FrameCount() are ignored.
  int CurrentFrame() const { return animation_.CurrentFrame(); }
  void SetCurrentFrame(int value);

  // Size the control to the picture, now when set on a loaded picture, and at every load.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return placement_.Center; }
  void SetCenter(bool value);
  bool Stretch() const { return placement_.Stretch; }
  void SetStretch(bool value);
  bool StretchRatio() const { return placement_.StretchRatio; }
  void SetStretchRatio(bool value);
  bool Tile() const { return placement_.Tile; }
  void SetTile(bool value);
  // Fill the control with Color() before drawing the picture.
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool value);
  // Animation repaints are composed in a bitmap and copied in one step.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  // Read by the next load: decode the first image only.
  bool FirstImageOnly() const { return animation_.LoadOptions.FirstImageOnly; }
  void SetFirstImageOnly(bool value) { animation_.LoadOptions.FirstImageOnly = value; }
  bool Threaded() const { return timer_.Threaded(); }
  void SetThreaded(bool value) { timer_.SetThreaded(value); }
  TThreadPriority ThreadPriority() const { return timer_.ThreadPriority(); }
  void SetThreadPriority(TThreadPriority value) { timer_.SetThreadPriority(value); }

  // Before and after every change of the shown frame; after each pass of the last frame.
  TNotifyEvent OnChanging, OnChange, OnWrapAnimation;
  // Load progress; clearing KeepOnProcessing abandons the load.  Set before loading.
  TProgressEvent OnProgress;

  // Where the picture lands inside the control, in control coordinates.
  TGIFRect TargetRect() const;

  // Paints the picture as the properties place it.  Nothing while Visible is off.
  void Paint(HDC dc) override;

  // The animation's repaint: redraws the picture's rectangle at once through the parent's
  // device context, composed off screen with DoubleBuffered, the background painted beneath
  // unless the control is opaque.
  void Repaint();

private:
  bool Loaded(bool success);
  void SyncTimer();
  void DrawPicture(HDC dc, const TGIFRect& target) const;

  TGIFAnimation animation_;
  TTimerEx timer_{nullptr};
  TGIFPlacement placement_;
  bool autoSize_ = false;
  bool opaque_ = false;
  bool doubleBuffered_ = true;
  bool repainting_ = false;
};
