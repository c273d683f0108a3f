#include "GIFPaintGeometry.h"

#include <gtest/gtest.h>

namespace {

struct TRectCase {
  const char* rule;
  TGIFPlacement placement;
  int W, H, w, h;
  TGIFRect expected;
};

TEST(GIFPaintGeometry, TargetRectangles) {
  const TGIFPlacement ratio{.StretchRatio = true};
  const TGIFPlacement stretch{.Stretch = true};
  const TRectCase cases[] = {
      // W / w = 1.76 < H / h = 3: scaled by 1.76 to 176 × 88, margin (150 − 88) / 2 = 31.
      {"ratio, centred vertically", ratio, 176, 150, 100, 50, {0, 31, 176, 119}},
      // W / w = 3 > H / h = 1.2: scaled by 1.2 to 120 × 60, margin (300 − 120) / 2 = 90.
      {"ratio, centred horizontally", ratio, 300, 60, 100, 50, {90, 0, 210, 60}},
      // Margin (101 − 100) / 2 = 0.5 rounds to even: 0; (103 − 100) / 2 = 1.5 rounds to 2.
      {"ratio, half a pixel to even (down)", ratio, 101, 50, 100, 50, {0, 0, 101, 50}},
      {"ratio, half a pixel to even (up)", ratio, 103, 50, 100, 50, {2, 0, 101, 50}},
      {"ratio and stretch: the whole control", {.Stretch = true, .StretchRatio = true},
       176, 150, 100, 50, {0, 0, 176, 150}},
      {"stretch", stretch, 176, 150, 100, 50, {0, 0, 176, 150}},
      {"same size is not stretched", stretch, 100, 50, 100, 50, {0, 0, 100, 50}},
      {"tile: the whole control", {.Tile = true}, 176, 150, 100, 50, {0, 0, 176, 150}},
      {"stretch wins over tile", {.Stretch = true, .Tile = true}, 50, 50, 100, 50, {0, 0, 50, 50}},
      {"centre", {.Center = true}, 176, 150, 100, 51, {38, 49, 138, 100}},
      {"centre, larger than the control", {.Center = true}, 50, 20, 101, 50, {-25, -15, 76, 35}},
      {"plain", {}, 176, 150, 100, 50, {0, 0, 100, 50}},
      {"no picture is never stretched", stretch, 176, 150, 0, 0, {0, 0, 0, 0}},
  };
  for (const TRectCase& c : cases) {
    EXPECT_EQ(GIFTargetRect(c.placement, c.W, c.H, c.w, c.h), c.expected) << c.rule;
  }
}

TEST(GIFPaintGeometry, TilesAndOpaqueness) {
  EXPECT_EQ(GIFTileCount(176, 150, 100, 50).Columns, 2);
  EXPECT_EQ(GIFTileCount(176, 150, 100, 50).Rows, 4);
  EXPECT_EQ(GIFTileCount(200, 100, 100, 50).Columns, 3);   // W / w + 1 even when exact
  EXPECT_EQ(GIFTileCount(176, 150, 0, 50).Columns, 0);

  const TGIFRect whole{0, 0, 176, 150}, part{0, 31, 176, 119};
  struct TCase {
    const char* rule;
    bool visible, opaque, loaded, transparent;
    TGIFRect target;
    bool expected;
  } cases[] = {
      {"opaque picture covering the control", true, false, true, false, whole, true},
      {"transparent frame 1", true, false, true, true, whole, false},
      {"transparent frame 1 on an Opaque control", true, true, true, true, whole, true},
      {"Opaque without a picture", true, true, false, false, whole, true},
      {"nothing loaded", true, false, false, false, whole, false},
      {"picture not covering the control", true, true, true, false, part, false},
      {"invisible", false, true, true, false, whole, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(GIFOpaque(c.visible, c.opaque, c.loaded, c.transparent, c.target, 176, 150),
              c.expected)
        << c.rule;
  }
}

}  // namespace
