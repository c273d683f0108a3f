#pragma once

#include <windows.h>

#include <functional>

#include "GdiCanvas.h"
#include "GraphicControl.h"
#include "View.h"

// The graph view as a windowless control of a form: the view draws through GDI on the form's
// client area at the control's place, both when the form paints and when an animation tick
// steps a frame.  Its bitmaps (work image, snapshot, frame cache) are GDI bitmaps.
//
// A control without a parent form has nothing to draw on: SetGraph and StepFrame then do
// nothing.
class TGraphView : public TGraphicControl, private TViewHost {
public:
  explicit TGraphView(TComponent* owner);

  // The view's layout, options and state.
  TView& View() { return view_; }

  // TView's operations, drawing on the parent form now.
  void SetGraph(TGraphDoc* doc);
  void StepFrame(int frame, bool toBitmap);
  // Runs action (which calls View()'s operations) with the view drawing on the parent form
  // now, as SetGraph and StepFrame do; without a parent form action does not run.
  void Draw(const std::function<void()>& action);

  // Replaces the message box of a function text that does not compile (the full-screen
  // saver shows the text on its own screen instead of a box that would take the keys).
  std::function<void()> OnSyntaxError;

  void Paint(HDC dc) override;

private:
  TCanvas& ControlCanvas() override;
  std::unique_ptr<TBitmap> NewBitmap() override;
  void ReportSyntaxError() override;

  // Runs action with ControlCanvas() drawing on the parent's client area, origin at the
  // control's corner and clipped to it.
  template <typename Action>
  void OnParentCanvas(Action action);

  TView view_{*this};
  TCanvas* canvas_ = nullptr;  // set while the view may draw
};
