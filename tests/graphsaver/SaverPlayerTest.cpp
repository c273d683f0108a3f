#include "SaverPlayer.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ViewTestHost.h"

namespace {

// Random numbers from a list, in turn.
TSaverRandom Sequence(std::vector<int> values) {
  auto index = std::make_shared<size_t>(0);
  return [values, index] { return values[(*index)++ % values.size()]; };
}

// A small surface whose frames differ: a plane tilting with t over `frames` frames.
TGraphDoc Tilting(int frames) {
  TGraphDoc doc;
  doc.SetText(gtName, "Tilting");
  doc.SetText(gtFunc3, "u*sin(t)");
  doc.SetText(gtUMin, "-1");
  doc.SetText(gtUMax, "1");
  doc.SetText(gtUDiv, "4");
  doc.SetText(gtVMin, "-1");
  doc.SetText(gtVMax, "1");
  doc.SetText(gtVDiv, "4");
  doc.SetText(gtTMax, "2pi");
  doc.FrameCount = frames;
  doc.FramesPerSecond = 25;
  return doc;
}

// A saver view on a software screen of the given size, showing an image of w × h.
struct TSaverFixture {
  TSaverFixture(int screenWidth, int screenHeight, int w, int h, TSaverSpeed speed,
                bool isReverse = false)
      : host(screenWidth, screenHeight), view(host), player(sequence, speed, isReverse),
        area{0, 0, screenWidth, screenHeight} {
    view.ImageWidth = w;
    view.ImageHeight = h;
    view.ImageBorder = 4;
  }
  TSaverTick Tick(TGraphDoc* doc) { return player.Tick(view, doc, area); }
  // Ticks until the cycle is recorded.
  void Record(TGraphDoc& doc) {
    for (int i = 0; i < 100 && (sequence.FirstTick || view.Recording()); ++i) Tick(&doc);
    ASSERT_TRUE(view.Playing());
  }

  TSaverSequence sequence;
  TTestViewHost host;
  TView view;
  TSaverPlayer player;
  TSaverArea area;
};

TEST(SaverPlayer, SpeedsIndexesIntervalsAndTheCacheBudget) {
  // (random mod 3) + 1, signed by the parity of the next number; DeltaX first.
  EXPECT_EQ(SaverChooseSpeed(true, Sequence({5, 7, 0, 4})).DeltaX, 3);
  EXPECT_EQ(SaverChooseSpeed(true, Sequence({5, 7, 0, 4})).DeltaY, -1);
  EXPECT_EQ(SaverChooseSpeed(true, Sequence({1, 2, 3, 9})).DeltaX, -2);
  EXPECT_EQ(SaverChooseSpeed(false, Sequence({5, 7})).DeltaX, 0);
  EXPECT_EQ(SaverChooseSpeed(false, Sequence({5, 7})).DeltaY, 0);
  std::set<int> speeds;
  for (int r = 0; r < 12; ++r) speeds.insert(SaverChooseSpeed(true, Sequence({r, r + 1})).DeltaX);
  EXPECT_EQ(speeds, (std::set<int>{-3, -2, -1, 1, 2, 3}));

  EXPECT_EQ(SaverChooseGraph(true, 3, 5, Sequence({12})), 2);
  EXPECT_EQ(SaverChooseGraph(true, 3, 0, Sequence({12})), -1);
  EXPECT_EQ(SaverChooseGraph(false, 3, 5, Sequence({12})), 3);
  EXPECT_EQ(SaverChooseGraph(false, -1, 5, Sequence({12})), 0) << "no selection: the first";
  EXPECT_EQ(SaverChooseGraph(false, 5, 5, Sequence({12})), 0) << "past the end: the first";
  EXPECT_EQ(SaverChooseGraph(false, 0, 0, Sequence({12})), -1);

  EXPECT_EQ(SaverTimerInterval(20), 50);
  EXPECT_EQ(SaverTimerInterval(3), 333);
  EXPECT_EQ(SaverTimerInterval(0), 50) << "no rate: a new graph's 20";
  EXPECT_EQ(SaverTimerInterval(-4), 50);
  EXPECT_EQ(SaverTimerInterval(5000), 1);

  EXPECT_TRUE(SaverCacheFits(1000, 1000, 64));
  EXPECT_TRUE(SaverCacheFits(1024, 768, 64));
  EXPECT_FALSE(SaverCacheFits(1920, 1080, 64));
  EXPECT_TRUE(SaverCacheFits(1920, 1080, 32));
  EXPECT_FALSE(SaverCacheFits(20000, 20000, 64)) << "no overflow on the way";
}

TEST(SaverPlayer, ThePrimaryMonitorIsThePlayArea) {
  const TSaverArea screen{0, 0, 1024, 768};
  EXPECT_EQ(SaverPlayArea(screen, screen), screen) << "one monitor: nothing changes";
  // A 1280 × 1024 monitor left of a 1920 × 1080 primary: the virtual screen starts at the
  // left one, so the primary lies 1280 pixels into the view; its lower strip shows nothing.
  EXPECT_EQ(SaverPlayArea({0, 0, 3200, 1080 + 0}, {1280, 0, 1920, 1080}),
            (TSaverArea{1280, 0, 1920, 1080}));
  EXPECT_EQ(SaverPlayArea({0, 0, 3200, 1024}, {1280, -56, 1920, 1080}),
            (TSaverArea{1280, 0, 1920, 1024}));
  // A window that is no full screen (debugging): the part of it on the primary monitor,
  // or all of it when it lies elsewhere.
  EXPECT_EQ(SaverPlayArea({0, 0, 400, 300}, {-100, -50, 1024, 768}), (TSaverArea{0, 0, 400, 300}));
  EXPECT_EQ(SaverPlayArea({0, 0, 400, 300}, {300, 200, 1024, 768}), (TSaverArea{300, 200, 100, 100}));
  EXPECT_EQ(SaverPlayArea({0, 0, 400, 300}, {2000, 0, 1024, 768}), (TSaverArea{0, 0, 400, 300}));
}

TEST(SaverPlayer, RecordsCentredThenFloatsAndBounces) {
  TGraphDoc doc = Tilting(4);
  TSaverFixture f(100, 80, 40, 30, {3, -2});
  TSaverTick first = f.Tick(&doc);
  EXPECT_EQ(first.Interval, 40);
  EXPECT_TRUE(first.ShowBanner);
  EXPECT_TRUE(first.RepaintBanner);
  EXPECT_EQ(f.view.ImageX, 30);
  EXPECT_EQ(f.view.ImageY, 25);
  EXPECT_TRUE(f.view.Recording());
  EXPECT_TRUE(f.view.FollowCamera);
  EXPECT_EQ(f.player.FrameCount(), 4);
  for (int i = 0; i < 2; ++i) {
    const TSaverTick tick = f.Tick(&doc);
    EXPECT_TRUE(tick.ShowBanner) << "still recording";
    EXPECT_EQ(f.view.ImageX, 30) << "the image does not move while frames are recorded";
  }
  // The tick that stores the last frame already plays: the banner goes, the image moves.
  const TSaverTick last = f.Tick(&doc);
  EXPECT_TRUE(f.view.Playing());
  EXPECT_FALSE(last.ShowBanner);
  EXPECT_FALSE(last.Interval);
  EXPECT_EQ(f.sequence.FramePos, 0) << "one cycle";
  EXPECT_EQ(f.view.ImageX, 33);
  EXPECT_EQ(f.view.ImageY, 23);

  // Then every tick copies the next cached frame and moves on by the speed.
  f.Tick(&doc);
  EXPECT_EQ(f.view.CurrentFrame(), 1);
  EXPECT_EQ(f.view.ImageX, 36);
  EXPECT_EQ(f.view.ImageY, 21);

  // The edge case of a 1024-pixel view: 822 + 3 = 825 and 825 + 200 > 1024.
  TSaverFixture wide(1024, 400, 200, 100, {3, 1});
  wide.Record(doc);
  wide.view.ImageX = 822;
  wide.Tick(&doc);
  EXPECT_EQ(wide.view.ImageX, 825) << "not clamped";
  EXPECT_EQ(wide.player.Speed().DeltaX, -3);
  EXPECT_EQ(wide.sequence.Direction, 1) << "no reversal without IsReverse";
  wide.Tick(&doc);
  EXPECT_EQ(wide.view.ImageX, 822);

  // Over many ticks the image never stands more than 3 pixels past an edge.
  std::set<std::pair<int, int>> places;
  for (int i = 0; i < 400; ++i) {
    f.Tick(&doc);
    ASSERT_GE(f.view.ImageX, -3);
    ASSERT_LE(f.view.ImageX + 40, 103);
    ASSERT_GE(f.view.ImageY, -3);
    ASSERT_LE(f.view.ImageY + 30, 83);
    places.insert({f.view.ImageX, f.view.ImageY});
  }
  EXPECT_GT(places.size(), 50u);
}

TEST(SaverPlayer, ReverseRunsTheFramesBackwardsOncePerBounce) {
  TGraphDoc doc = Tilting(64);
  TSaverFixture f(60, 50, 20, 20, {2, 1}, true);
  f.Record(doc);
  EXPECT_EQ(f.sequence.FramePos, 0);
  // Into the bottom right corner: both axes bounce in the same tick, Direction turns once.
  f.view.ImageX = 39;
  f.view.ImageY = 30;
  f.Tick(&doc);  // frame 1; moves to (41, 31), past both edges
  EXPECT_EQ(f.player.Speed().DeltaX, -2);
  EXPECT_EQ(f.player.Speed().DeltaY, -1);
  EXPECT_EQ(f.sequence.Direction, -1);
  EXPECT_EQ(f.sequence.FramePos, 1) << "this tick's step was taken before the bounce";
  std::vector<int> frames;
  int drawnX = 0, drawnY = 0;
  for (int i = 0; i < 3; ++i) {
    drawnX = f.view.ImageX;
    drawnY = f.view.ImageY;
    f.Tick(&doc);
    frames.push_back(f.view.CurrentFrame());
  }
  EXPECT_EQ(frames, (std::vector<int>{2, 1, 64})) << "backwards, 0 - 1 wrapping to 63";
  EXPECT_EQ(f.sequence.FramePos, 62);
  EXPECT_EQ(f.sequence.Direction, -1);

  // What reached the screen is the cached frame 64, where the image stood before the move.
  const auto& slot = static_cast<const TSoftwareBitmap&>(f.view.CachedFrame(63));
  const auto& before = static_cast<const TSoftwareBitmap&>(f.view.CachedFrame(0));
  bool differs = false;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(f.host.screen.Pixel(drawnX + x, drawnY + y), slot.Pixel(x, y)) << x << "," << y;
      differs = differs || slot.Pixel(x, y) != before.Pixel(x, y);
    }
  }
  EXPECT_TRUE(differs) << "the frames must differ for this test to mean anything";
}

TEST(SaverPlayer, WithoutFloatingTheImageStaysCentred) {
  TGraphDoc doc = Tilting(4);
  TSaverFixture f(90, 70, 30, 20, SaverChooseSpeed(false, Sequence({1})), true);
  for (int i = 0; i < 30; ++i) f.Tick(&doc);
  EXPECT_TRUE(f.view.Playing());
  EXPECT_EQ(f.view.ImageX, 30);
  EXPECT_EQ(f.view.ImageY, 25);
  EXPECT_EQ(f.sequence.Direction, 1) << "IsReverse has no effect";
}

TEST(SaverPlayer, CurvesAndOversizedSurfacesPlayLive) {
  TGraphDoc curve;
  curve.Kind = gkCurve2D;
  curve.SetText(gtFunc1, "u");
  curve.SetText(gtFunc2, "sin(u+t)");
  curve.SetText(gtUMin, "-3");
  curve.SetText(gtUMax, "3");
  curve.SetText(gtUDiv, "20");
  curve.FramesPerSecond = 0;
  TSaverFixture f(120, 90, 60, 40, {1, 1});
  const TSaverTick first = f.Tick(&curve);
  EXPECT_FALSE(first.ShowBanner) << "a curve never shows the banner";
  EXPECT_EQ(first.Interval, 50);
  EXPECT_FALSE(f.view.Recording());
  EXPECT_EQ(f.view.ImageX, 31) << "centred at 30, then moved";

  // An image size the user typed far beyond the screen is held to it; 64 frames of the
  // screen's size exceed the budget, so nothing is cached and every tick renders.
  TGraphDoc surface = Tilting(64);
  TSaverFixture huge(2400, 1200, 20000, 20000, {1, 1});
  for (int i = 0; i < 3; ++i) huge.Tick(&surface);
  EXPECT_EQ(huge.view.ImageWidth, 2400);
  EXPECT_EQ(huge.view.ImageHeight, 1200);
  EXPECT_FALSE(huge.view.Recording());
  EXPECT_FALSE(huge.view.Playing());
  EXPECT_EQ(huge.view.CachedFrame(0).Width(), 0) << "no cache memory taken";
  EXPECT_EQ(huge.view.CurrentFrame(), 3);
}

TEST(SaverPlayer, NoGraphOrAFailingFormulaStopsTheAnimation) {
  TSaverFixture empty(50, 40, 20, 20, {1, 1});
  const TSaverTick none = empty.Tick(nullptr);
  EXPECT_TRUE(none.Stop);
  EXPECT_FALSE(none.ShowBanner);
  EXPECT_TRUE(empty.host.polygons.empty());

  TGraphDoc doc = Tilting(8);
  doc.SetText(gtName, "Divide");
  doc.SetText(gtFunc3, "u/(t-t)");
  TSaverFixture f(50, 40, 20, 20, {1, 1});
  const TSaverTick failed = f.Tick(&doc);
  EXPECT_TRUE(failed.Stop);
  EXPECT_FALSE(failed.ShowBanner);
  EXPECT_EQ(failed.Report, "Divide: Floating point division by zero");
  const size_t drawn = f.host.polygons.size();
  const TSaverTick after = f.Tick(&doc);
  EXPECT_TRUE(after.Stop);
  EXPECT_TRUE(after.Report.empty()) << "reported once";
  EXPECT_EQ(f.host.polygons.size(), drawn) << "nothing drawn any more";
}

}  // namespace
