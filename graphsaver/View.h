#pragma once

#include <array>
#include <memory>

#include "Align.h"
#include "Canvas.h"
#include "GraphDoc.h"
#include "MeshCell.h"

// What the graph view needs from the window it lives in.
class TViewHost {
public:
  virtual ~TViewHost() = default;
  // The control's own canvas; its size is the control's size.
  virtual TCanvas& ControlCanvas() = 0;
  // A new, empty off-screen bitmap that can be copied to and from the control's canvas.
  virtual std::unique_ptr<TBitmap> NewBitmap() = 0;
  // Tells the user that a function text does not compile (GraphMessages.h has the texts; on
  // Windows ShowGraphSyntaxError shows them).
  virtual void ReportSyntaxError() = 0;
};

using TImageAlign = TAlign;

// Where the time of surface frames goes, for benchmarks: seconds spent sampling (formula
// evaluation, projection and cell building), sorting and filling, summed over frames.
struct TRenderProfile {
  double sampling = 0, sorting = 0, filling = 0;
  int frames = 0;
};

// The graph view: shows one graph document as an image inside the control and animates it
// over t, one frame per StepFrame.  Surfaces are expensive, so the frames of one cycle can be
// recorded into a cache of 64 bitmaps and then only copied.
//
//   Empty --SetGraph(doc)--> Live --StartRecording--> Recording --last frame--> Playing
//   Playing --SetGraph--> Live;  SetGraph(nullptr) --> Empty
//
// The view does not own its document.  Its owner must call SetGraph(nullptr) before it
// releases the document; until then the document must stay alive.
class TView {
public:
  static constexpr int CacheSize = 64;

  explicit TView(TViewHost& host);

  // Shows doc (or nothing) from frame 1, back to Live; evaluates it at t = 0 and sets up its
  // camera or window.  Throws EFloatError from the evaluation, with the document attached.
  void SetGraph(TGraphDoc* doc);
  TGraphDoc* Graph() const { return graph_; }

  // Computes or copies frame `frame` (1-based; -1 repeats the current frame).  toBitmap
  // renders a surface off screen and copies it (the saver); false draws it straight on the
  // control, sample points showing as they come (the configuration preview).  An
  // EFloatError of the document's formulas reaches the caller; the view is then as before the
  // call except for the current frame, so the frame can be asked for again.
  void StepFrame(int frame, bool toBitmap);

  void StartRecording();

  // Redraws the control from the last frame that reached it, without evaluating anything.
  void Paint();

  // The frames of one cycle: the document's frame count held within 1 to CacheSize, so that
  // no frame indexes outside the cache and the parameter step never divides by zero.
  int CycleLength() const;

  // Layout and options, set by the owner.
  TImageAlign ImageAlign = alNone;
  int ImageWidth = 0, ImageHeight = 0, ImageX = 0, ImageY = 0, ImageBorder = 0;
  bool FollowCamera = false;
  TRenderProfile* Profile = nullptr;  // when set, surface frames add their timings to it

  // State, for the owner and for tests.
  int CurrentFrame() const { return currentFrame_; }
  int RecordedCount() const { return recordedCount_; }
  bool Playing() const { return playing_; }
  bool Recording() const { return recording_; }
  bool SnapshotValid() const { return snapshotValid_; }
  const TBitmap& CachedFrame(int slot) const { return *frameCache_[slot]; }

  // The plane window of a curve and the camera of a surface, as the renderer uses them.
  long double WindowXMin = 0, WindowXMax = 0, WindowYMin = 0, WindowYMax = 0;
  TVector3 CameraEye, CameraForward, CameraUp;
  int CentreX = 0, CentreY = 0;

  // Renders one frame of the document at parameter t (the document must already be
  // evaluated at t) and takes a snapshot of the image.
  void Render(double t, bool toBitmap);
  // Copies the plane window, or sets up the camera, from the document.
  void SetupCamera();
  // The integer screen point of a point in space, for an image W pixels wide.
  TScreenPoint ProjectPoint(const TVector3& point, int width) const;

private:
  void SetParameter(long double t);
  void StoreFrame(int slot);
  void DrawFrame(int slot);
  void TakeSnapshot();
  void FillControl(TColor color);
  bool CompileFunctions(int count);
  void PlotPlane(double t);
  void PlotSurface(double t, bool toBitmap);

  TViewHost& host_;
  TGraphDoc* graph_ = nullptr;
  int currentFrame_ = 1;
  int recordedCount_ = 0;
  bool playing_ = false, recording_ = false, snapshotValid_ = false;
  bool syntaxErrorReported_ = false;
  std::unique_ptr<TBitmap> snapshotImage_, workImage_;
  std::array<std::unique_ptr<TBitmap>, CacheSize> frameCache_;
  TCellList cells_;  // the cells of the frame being drawn, their store kept between frames
};
