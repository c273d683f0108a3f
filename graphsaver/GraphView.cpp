#include "GraphView.h"

#include <stdexcept>

#include "DeviceContext.h"
#include "Form.h"
#include "GraphSyntaxErrorBox.h"

// The view fills or covers its whole rectangle whenever it paints.
TGraphView::TGraphView(TComponent* owner) : TGraphicControl(owner) { SetControlOpaque(true); }

namespace {
// Points the view at a canvas for one scope, exceptions included.
class TCanvasScope {
public:
  TCanvasScope(TCanvas*& slot, TCanvas& canvas) : slot_(slot) { slot_ = &canvas; }
  ~TCanvasScope() { slot_ = nullptr; }
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;

private:
  TCanvas*& slot_;
};
}  // namespace

template <typename Action>
void TGraphView::OnParentCanvas(Action action) {
  if (!Parent()) return;
  const TWindowDC dc(Parent()->Handle());
  const TSavedDC saved(dc.Get());
  SetViewportOrgEx(dc.Get(), Left(), Top(), nullptr);
  IntersectClipRect(dc.Get(), 0, 0, Width(), Height());
  TGdiCanvas canvas(dc.Get(), Width(), Height());
  const TCanvasScope scope(canvas_, canvas);
  action();
}

void TGraphView::SetGraph(TGraphDoc* doc) {
  if (!doc) {
    view_.SetGraph(nullptr);  // detaching draws nothing
    return;
  }
  OnParentCanvas([&] { view_.SetGraph(doc); });
}

void TGraphView::StepFrame(int frame, bool toBitmap) {
  OnParentCanvas([&] { view_.StepFrame(frame, toBitmap); });
}

void TGraphView::Draw(const std::function<void()>& action) { OnParentCanvas(action); }

void TGraphView::Paint(HDC dc) {
  TGdiCanvas canvas(dc, Width(), Height());
  const TCanvasScope scope(canvas_, canvas);
  view_.Paint();
}

TCanvas& TGraphView::ControlCanvas() {
  if (!canvas_) throw std::logic_error("the graph view drew outside a paint or a frame step");
  return *canvas_;
}

std::unique_ptr<TBitmap> TGraphView::NewBitmap() { return std::make_unique<TGdiBitmap>(); }

void TGraphView::ReportSyntaxError() {
  if (OnSyntaxError) {
    OnSyntaxError();
    return;
  }
  ShowGraphSyntaxError(Parent() ? Parent()->Handle() : nullptr);
}
