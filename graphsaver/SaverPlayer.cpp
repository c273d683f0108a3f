#include "SaverPlayer.h"

#include <algorithm>

#include "FloatError.h"

namespace {

int ChooseOneSpeed(const TSaverRandom& random) {
  const int magnitude = random() % 3 + 1;
  return random() % 2 == 1 ? magnitude : -magnitude;
}

}  // namespace

TSaverSpeed SaverChooseSpeed(bool isFloat, const TSaverRandom& random) {
  if (!isFloat) return {};
  TSaverSpeed speed;
  speed.DeltaX = ChooseOneSpeed(random);
  speed.DeltaY = ChooseOneSpeed(random);
  return speed;
}

int SaverChooseGraph(bool isRandom, int stored, int count, const TSaverRandom& random) {
  if (count <= 0) return -1;
  if (isRandom) return random() % count;
  return stored >= 0 && stored < count ? stored : 0;
}

int SaverTimerInterval(int framesPerSecond) {
  constexpr int DefaultRate = 20;
  const int rate = framesPerSecond < 1 ? DefaultRate : framesPerSecond;
  return std::max(1, 1000 / rate);
}

bool SaverCacheFits(int width, int height, int frames) {
  const int64_t bytes = int64_t{4} * std::max(width, 0) * std::max(height, 0) * frames;
  return bytes <= SaverCacheBudget;
}

TSaverArea SaverPlayArea(const TSaverArea& view, const TSaverArea& primaryMonitor) {
  const int left = std::max(view.Left, primaryMonitor.Left);
  const int top = std::max(view.Top, primaryMonitor.Top);
  const int right = std::min(view.Left + view.Width, primaryMonitor.Left + primaryMonitor.Width);
  const int bottom = std::min(view.Top + view.Height, primaryMonitor.Top + primaryMonitor.Height);
  if (right <= left || bottom <= top) return view;
  return {left, top, right - left, bottom - top};
}

TSaverPlayer::TSaverPlayer(TSaverSequence& sequence, TSaverSpeed speed, bool isReverse)
    : sequence_(sequence), speed_(speed), isReverse_(isReverse) {}

void TSaverPlayer::FirstTick(TView& view, TGraphDoc& doc, const TSaverArea& area,
                             TSaverTick& tick) {
  // An image larger than the area could neither be seen whole nor float; held to it, the
  // frame cache is bounded by the screen as well.
  view.ImageWidth = std::clamp(view.ImageWidth, 1, std::max(area.Width, 1));
  view.ImageHeight = std::clamp(view.ImageHeight, 1, std::max(area.Height, 1));
  view.ImageX = area.Left + (area.Width - view.ImageWidth) / 2;
  view.ImageY = area.Top + (area.Height - view.ImageHeight) / 2;
  view.SetGraph(&doc);
  view.FollowCamera = true;
  frameCount_ = view.CycleLength();
  if (doc.Kind == gkSurface3D && SaverCacheFits(view.ImageWidth, view.ImageHeight, frameCount_))
    view.StartRecording();
  tick.Interval = SaverTimerInterval(doc.FramesPerSecond);
  tick.RepaintBanner = true;
  sequence_.FirstTick = false;
}

TSaverTick TSaverPlayer::Tick(TView& view, TGraphDoc* doc, const TSaverArea& area) {
  TSaverTick tick;
  if (stopped_ || !doc) {
    stopped_ = true;
    bannerVisible_ = false;
    tick.ShowBanner = false;
    tick.Stop = true;
    return tick;
  }
  try {
    if (sequence_.FirstTick) FirstTick(view, *doc, area, tick);
    view.StepFrame(sequence_.FramePos + 1, true);
  } catch (const EFloatError& error) {
    stopped_ = true;
    bannerVisible_ = false;
    tick.ShowBanner = false;
    tick.Stop = true;
    tick.Report = std::string(doc->Text(gtName)) + ": " + error.what();
    return tick;
  }
  sequence_.FramePos = (sequence_.FramePos + sequence_.Direction + frameCount_) % frameCount_;
  if (view.Recording()) {
    // A large image reaches under the banner; the banner stays on top while recording.
    tick.RepaintBanner = true;
    return tick;
  }
  bannerVisible_ = false;
  tick.ShowBanner = false;
  Move(view, area);
  return tick;
}

void TSaverPlayer::Move(TView& view, const TSaverArea& area) {
  view.ImageX += speed_.DeltaX;
  view.ImageY += speed_.DeltaY;
  bool hit = false;
  if ((speed_.DeltaX > 0 && view.ImageX + view.ImageWidth > area.Left + area.Width) ||
      (speed_.DeltaX < 0 && view.ImageX < area.Left)) {
    speed_.DeltaX = -speed_.DeltaX;
    hit = true;
  }
  if ((speed_.DeltaY > 0 && view.ImageY + view.ImageHeight > area.Top + area.Height) ||
      (speed_.DeltaY < 0 && view.ImageY < area.Top)) {
    speed_.DeltaY = -speed_.DeltaY;
    hit = true;
  }
  if (hit && isReverse_) sequence_.Direction = -sequence_.Direction;
}
