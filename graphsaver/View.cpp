#include "View.h"

#include <algorithm>

TView::TView(TViewHost& host) : host_(host) {
  snapshotImage_ = host_.NewBitmap();
  workImage_ = host_.NewBitmap();
  for (auto& slot : frameCache_) slot = host_.NewBitmap();
}

int TView::CycleLength() const {
  return graph_ ? std::clamp(graph_->FrameCount, 1, CacheSize) : 1;
}

void TView::FillControl(TColor color) {
  TCanvas& canvas = host_.ControlCanvas();
  canvas.SetPenColor(color);
  canvas.SetBrushColor(color);
  canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
}

void TView::SetGraph(TGraphDoc* doc) {
  graph_ = doc;
  currentFrame_ = 1;
  playing_ = false;
  syntaxErrorReported_ = false;
  if (!doc) return;
  if (ImageAlign != alClient) FillControl(doc->BackColor);
  doc->EvaluateAt(0);
  SetupCamera();
}

void TView::StartRecording() {
  playing_ = false;
  recording_ = true;
  recordedCount_ = 0;
}

void TView::SetParameter(long double t) {
  graph_->EvaluateAt(static_cast<double>(t));
  if (FollowCamera && graph_->ViewDependsOnT()) SetupCamera();
}

void TView::StepFrame(int frame, bool toBitmap) {
  if (!graph_) return;
  if (frame == -1) {
    frame = currentFrame_;
  } else {
    currentFrame_ = frame;
  }
  const int frames = CycleLength();
  // The division is by the frame count, not one less: the last frame stops a step short of
  // TMax, so a periodic animation loops without showing a frame twice.
  const long double t = graph_->TMin + (graph_->TMax - graph_->TMin) / frames * (frame - 1);
  SetParameter(t);
  // Only frames of the cycle have a cache slot; any other frame is drawn live.
  const bool inCycle = frame >= 1 && frame <= frames;
  if (playing_ && inCycle) {
    DrawFrame(frame - 1);
  } else {
    Render(static_cast<double>(t), toBitmap);
  }
  if (recording_ && inCycle) {
    StoreFrame(frame - 1);
    if (++recordedCount_ == frames) {
      playing_ = true;
      recording_ = false;
      recordedCount_ = 0;
    }
  }
}

void TView::StoreFrame(int slot) {
  TBitmap& cached = *frameCache_[slot];
  cached.SetSize(ImageWidth, ImageHeight);
  cached.CopyRect(0, 0, ImageWidth, ImageHeight, *workImage_, 0, 0);
}

void TView::DrawFrame(int slot) {
  const TBitmap& cached = *frameCache_[slot];
  host_.ControlCanvas().CopyRect(ImageX, ImageY, cached.Width(), cached.Height(), cached, 0, 0);
  TakeSnapshot();
}

void TView::TakeSnapshot() {
  snapshotImage_->SetSize(ImageWidth, ImageHeight);
  snapshotImage_->CopyRect(0, 0, ImageWidth, ImageHeight, host_.ControlCanvas(), ImageX, ImageY);
  snapshotValid_ = true;
}

void TView::Paint() {
  if (!snapshotValid_ || ImageAlign != alClient) FillControl(graph_ ? graph_->BackColor : 0);
  if (snapshotValid_) {
    host_.ControlCanvas().CopyRect(ImageX, ImageY, snapshotImage_->Width(),
                                   snapshotImage_->Height(), *snapshotImage_, 0, 0);
  }
}

void TView::Render(double t, bool toBitmap) {
  if (ImageAlign == alClient) {
    ImageWidth = host_.ControlCanvas().Width();
    ImageHeight = host_.ControlCanvas().Height();
  }
  if (graph_->Kind == gkCurve2D) {
    PlotPlane(t);
  } else if (graph_->Kind == gkSurface3D) {
    PlotSurface(t, toBitmap);
  }
  TakeSnapshot();
}

bool TView::CompileFunctions(int count) {
  TExpression* functions[] = {&graph_->Func1, &graph_->Func2, &graph_->Func3};
  const TGraphText texts[] = {gtFunc1, gtFunc2, gtFunc3};
  bool valid = true;
  for (int i = 0; i < count; ++i) {
    functions[i]->Compile(graph_->Text(texts[i]));
    valid = valid && functions[i]->Valid();
  }
  if (valid) return true;
  FillControl(graph_->BackColor);
  // The texts do not change while the view shows the document, so one message says it all;
  // a box for every frame would pile up under the animation timer.
  if (!syntaxErrorReported_) {
    syntaxErrorReported_ = true;
    host_.ReportSyntaxError();
  }
  return false;
}
