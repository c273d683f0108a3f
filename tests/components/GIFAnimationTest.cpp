#include "GIFAnimation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GIFFixtures.h"

namespace {

// The composed row 0 as "picture: 0 1 1 3 mask: W B B B", colours as grey levels of the
// fixture table (colour i = i × 0x010101).
std::string Row0(const TGIFAnimation& a) {
  const TGIFCanvas& canvas = a.Canvas();
  std::string text = "picture:";
  for (int x = 0; x < canvas.Picture().Width; ++x) {
    text += ' ';
    text += std::to_string(canvas.Picture().Row(0)[x] / 0x010101);
  }
  if (!canvas.Mask().Empty()) {
    text += " mask:";
    for (int x = 0; x < canvas.Mask().Width; ++x) text += canvas.Mask().White(x, 0) ? " W" : " B";
  }
  return text;
}

TGIFAnimation Loaded(const TBytes& bytes) {
  TGIFAnimation a;
  EXPECT_TRUE(a.LoadFromBytes(bytes)) << a.LastError();
  return a;
}

// Starts the animation as the control does: Animate on, then the paint that arms the timer.
void Start(TGIFAnimation& a) {
  a.OnRepaint = [&a] { a.Painted(); };
  a.SetAnimate(true);
  a.Painted();
}

TEST(GIFAnimation, DisposalTwoSequence) {
  // 4 × 1 screen; frame 1 covers it with colour 1; frame 2 (2 × 1 at x = 1, colour 2) is
  // restored to black (disposal 2); frame 3 (1 × 1 at x = 2) draws colour 3.
  const TBytes bytes = Cat({Header("GIF89a"), Screen(4, 1, 2),
                            Image(0, 0, 4, 1), Pixels2({1, 1, 1, 1}),
                            Control(2, 0), Image(1, 0, 2, 1), Pixels2({2, 2}),
                            Control(0, 0), Image(2, 0, 1, 1), Pixels2({3}), Trailer});
  TGIFAnimation a = Loaded(bytes);
  EXPECT_EQ(Row0(a), "picture: 1 1 1 1");
  Start(a);
  a.Timer();   // first tick: frame 1 is already drawn
  EXPECT_EQ(Row0(a), "picture: 1 1 1 1");
  a.Timer();
  EXPECT_EQ(Row0(a), "picture: 1 2 2 1");
  a.Timer();
  EXPECT_EQ(Row0(a), "picture: 1 0 3 1");
}

TEST(GIFAnimation, DisposalThreeWithTransparency) {
  // Index 0 is transparent in frames 1 and 2.
  // Frame 1: 0 1 1 0, disposal 1 (left in place).  Frame 2: 2 0 0 0, disposal 3 (restore what
  // lay under it).  Frame 3: opaque 3 at x = 3, disposal 2 (restore to black, transparent).
  const TBytes bytes = Cat({Header("GIF89a"), Screen(4, 1, 2),
                            Control(1, 0, true, 0), Image(0, 0, 4, 1), Pixels2({0, 1, 1, 0}),
                            Control(3, 0, true, 0), Image(0, 0, 4, 1), Pixels2({2, 0, 0, 0}),
                            Control(2, 0), Image(3, 0, 1, 1), Pixels2({3}), Trailer});
  TGIFAnimation a = Loaded(bytes);
  // Transparent areas are black in the picture and white in the mask.
  EXPECT_EQ(Row0(a), "picture: 0 1 1 0 mask: W B B W");
  a.SetLoop(true);
  Start(a);
  a.Timer();
  a.Timer();   // frame 2's opaque pixel over frame 1
  EXPECT_EQ(Row0(a), "picture: 2 1 1 0 mask: B B B W");
  a.Timer();   // frame 2 restored, then the opaque frame 3 paints its pixel opaque
  EXPECT_EQ(Row0(a), "picture: 0 1 1 3 mask: W B B B");
  a.Timer();   // wraps: frame 3 restored to black and transparent, frame 1 drawn
  EXPECT_EQ(Row0(a), "picture: 0 1 1 0 mask: W B B W");
  a.Timer();
  EXPECT_EQ(Row0(a), "picture: 2 1 1 0 mask: B B B W");
}

TEST(GIFAnimation, FrameTimesAtSpeeds) {
  // Delays of 0, 10, 70 and 100 ms: at least 50 ms at speed 100, scaled by 100 / Speed with
  // integer division.
  TBytes bytes = Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(0)});
  for (const int delay : {0, 1, 7, 10}) {
    bytes = Cat({bytes, Control(0, delay), Image(0, 0, 1, 1), Pixels2({1})});
  }
  struct TCase {
    int speed;
    std::vector<uint32_t> intervals;
  } cases[] = {{100, {50, 50, 70, 100}},
               {200, {25, 25, 35, 50}},
               {50, {100, 100, 140, 200}},
               {300, {16, 16, 23, 33}},
               {0, {5000, 5000, 7000, 10000}}};   // speeds below 1 become 1
  for (const TCase& c : cases) {
    TGIFAnimation a = Loaded(bytes);
    EXPECT_EQ(a.TimerInterval(), 1u);   // the first tick comes at once
    Start(a);
    a.SetSpeed(c.speed);
    EXPECT_EQ(a.TimerInterval(), 1u) << "a new speed applies at once";
    std::vector<uint32_t> intervals;
    for (int k = 0; k < 4; ++k) {
      a.Timer();
      intervals.push_back(a.TimerInterval());
    }
    EXPECT_EQ(intervals, c.intervals) << "speed " << c.speed;
  }
}

// Plays a two-frame animation until its timer stops (at most 40 ticks) and returns the frames
// drawn, load included, and the number of wraps.
std::string Play(TGIFAnimation& a, int& wraps) {
  std::string drawn = "1";
  wraps = 0;
  a.OnRepaint = [&] {
    drawn += ' ';
    drawn += std::to_string(a.CurrentFrame());
    a.Painted();
  };
  a.OnWrapAnimation = [&] { ++wraps; };
  a.SetAnimate(true);
  a.Painted();
  for (int tick = 0; tick < 40 && a.TimerEnabled(); ++tick) a.Timer();
  // The handlers refer to this function's locals.
  a.OnRepaint = [&a] { a.Painted(); };
  a.OnWrapAnimation = nullptr;
  return drawn;
}

TEST(GIFAnimation, LoopCountsAndLoop) {
  const TBytes frames = Cat({Image(0, 0, 1, 1), Pixels2({1}), Image(0, 0, 1, 1), Pixels2({2})});
  const TBytes plain = Cat({Header("GIF89a"), Screen(1, 1, 2), frames});
  const std::string forever = "1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2";
  struct TCase {
    const char* rule;
    TBytes bytes;
    bool loop;
    std::string drawn;
    int wraps;
  } cases[] = {
      {"no loop count: plays once and stays on the last frame", plain, false, "1 2", 1},
      {"no loop count, Loop on: for ever", plain, true, forever, 20},
      {"loop count 0: for ever",
       Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(0), frames}), false, forever, 20},
      {"loop count 3: three times",
       Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(3), frames}), false, "1 2 1 2 1 2", 3},
  };
  for (const TCase& c : cases) {
    TGIFAnimation a = Loaded(c.bytes);
    a.SetLoop(c.loop);
    int wraps;
    EXPECT_EQ(Play(a, wraps), c.drawn) << c.rule;
    EXPECT_EQ(wraps, c.wraps) << c.rule;
    EXPECT_EQ(a.Ended(), !c.loop && c.drawn != forever) << c.rule;
  }

  // Loop switched on after the end restarts from frame 1.
  TGIFAnimation a = Loaded(plain);
  int wraps;
  Play(a, wraps);
  ASSERT_TRUE(a.Ended());
  EXPECT_EQ(Row0(a), "picture: 2");
  a.SetLoop(true);
  EXPECT_EQ(a.CurrentFrame(), 1);
  EXPECT_EQ(a.PlaysBegun(), 1);
  EXPECT_TRUE(a.TimerEnabled());
  a.Timer();
  EXPECT_EQ(Row0(a), "picture: 1");
}

TEST(GIFAnimation, OneFrameNeverStartsTheTimer) {
  TGIFAnimation a = Loaded(Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(0),
                                Image(0, 0, 1, 1), Pixels2({1})}));
  EXPECT_FALSE(a.Animated());
  a.SetAnimate(true);
  a.Painted();
  EXPECT_FALSE(a.TimerEnabled());
  TGIFLoadOptions first;
  first.FirstImageOnly = true;
  TGIFAnimation b;
  b.LoadOptions = first;
  ASSERT_TRUE(b.LoadFromBytes(Cat({Header("GIF89a"), Screen(1, 1, 2), Image(0, 0, 1, 1),
                                   Pixels2({1}), Image(0, 0, 1, 1), Pixels2({2})})));
  b.SetAnimate(true);
  b.Painted();
  EXPECT_FALSE(b.Animated());
  EXPECT_FALSE(b.TimerEnabled());
}

TEST(GIFAnimation, EventsAnimateOffAndCurrentFrame) {
  const TBytes bytes = Cat({Header("GIF89a"), Screen(2, 1, 2), Netscape(0),
                            Image(0, 0, 2, 1), Pixels2({1, 1}),
                            Control(1, 0), Image(0, 0, 1, 1), Pixels2({2}),
                            Control(1, 0), Image(1, 0, 1, 1), Pixels2({3})});
  TGIFAnimation a;
  std::string events;
  a.OnChanging = [&] { events += "<"; };
  a.OnChange = [&] { events += ">"; };
  a.OnWrapAnimation = [&] { events += "w"; };
  a.OnInvalidate = [&] { events += "i"; };
  a.OnRepaint = [&] { events += "r"; };
  ASSERT_TRUE(a.LoadFromBytes(bytes));
  EXPECT_EQ(events, "<>i");
  events.clear();
  a.SetAnimate(true);
  a.Timer();
  a.Timer();
  a.Timer();
  EXPECT_EQ(events, "<><r><r>w");
  EXPECT_EQ(Row0(a), "picture: 2 3");
  a.Timer();   // frame 1 covers frames 2 and 3, which were left in place (disposal 1)
  EXPECT_EQ(Row0(a), "picture: 1 1");

  // Animate off while past frame 1: back to frame 1 drawn over what is there.
  events.clear();
  a.SetAnimate(false);
  EXPECT_EQ(a.CurrentFrame(), 1);
  EXPECT_EQ(events, "i");
  EXPECT_EQ(Row0(a), "picture: 1 1");

  events.clear();
  a.SetCurrentFrame(0);
  a.SetCurrentFrame(4);
  EXPECT_EQ(events, "") << "frame numbers outside 1 to 3 do nothing";
  a.SetCurrentFrame(3);
  EXPECT_EQ(events, "<r>");
  EXPECT_EQ(a.CurrentFrame(), 3);
  EXPECT_EQ(Row0(a), "picture: 1 3");
}

TEST(GIFAnimation, AssignToFailedLoadsAndFiles) {
  const TBytes bytes = Cat({Header("GIF89a"), Screen(2, 1, 2), Image(0, 0, 2, 1),
                            Pixels2({3, 1}), Image(0, 0, 1, 1), Pixels2({2})});
  TGIFAnimation a = Loaded(bytes);
  TGIFBitmap8 first;
  a.AssignTo(first);
  EXPECT_EQ(first.Width, 2);
  EXPECT_EQ(first.Bits, (TBytes{3, 1, 0, 0}));
  EXPECT_EQ((*first.Colors)[3], 0x030303u);
  EXPECT_EQ(a.Data(), bytes);

  const auto folder = std::filesystem::temp_directory_path() / "gifimage-test";
  std::filesystem::create_directories(folder);
  const auto missing = (folder / "missing.gif").string();
  std::filesystem::remove(missing);
  EXPECT_FALSE(a.LoadFromFile(missing));
  EXPECT_FALSE(a.Empty()) << "a missing file leaves the picture";
  EXPECT_EQ(a.FrameCount(), 2);

  const auto text = (folder / "text.gif").string();
  std::ofstream(text) << "not a picture\n";
  EXPECT_FALSE(a.LoadFromFile(text));
  EXPECT_TRUE(a.Empty()) << "a file that is no GIF empties the control";
  EXPECT_EQ(a.FrameCount(), 0);
  EXPECT_TRUE(a.Data().empty());
  EXPECT_NE(a.LastError().find("no GIF signature"), std::string::npos) << a.LastError();
  a.AssignTo(first);
  EXPECT_EQ(first.Width, 0);

  const auto good = (folder / "good.gif").string();
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
  EXPECT_TRUE(a.LoadFromFile(good)) << a.LastError();
  EXPECT_EQ(a.FrameCount(), 2);
  std::filesystem::remove_all(folder);
}

}  // namespace
