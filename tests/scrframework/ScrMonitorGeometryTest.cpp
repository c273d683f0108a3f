#include "ScrMonitorGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrMonitorGeometry, MeasuredFromTheBitmapsOrTheirStatedSizes) {
  const TScrMonitorGeometry drawn = ScrMeasureMonitor(TScrSize{368, 170}, TScrSize{32, 32});
  EXPECT_EQ(drawn.size, (TScrSize{184, 170}));
  EXPECT_EQ(drawn.screen, (TScrRect{16, 17, 169, 130}));
  EXPECT_EQ(drawn.corners[0], (TScrRect{16, 17, 48, 49}));
  EXPECT_EQ(drawn.corners[1], (TScrRect{137, 17, 169, 49}));
  EXPECT_EQ(drawn.corners[2], (TScrRect{137, 98, 169, 130}));
  EXPECT_EQ(drawn.corners[3], (TScrRect{16, 98, 48, 130}));

  const TScrMonitorGeometry missing = ScrMeasureMonitor(std::nullopt, std::nullopt);
  EXPECT_EQ(missing.size, drawn.size);
  EXPECT_EQ(missing.corners, drawn.corners);

  const TScrMonitorGeometry other = ScrMeasureMonitor(TScrSize{401, 200}, TScrSize{20, 10});
  EXPECT_EQ(other.size, (TScrSize{200, 200})) << "half the width, rounded down";
  EXPECT_EQ(other.corners[2], (TScrRect{149, 120, 169, 130}));
}

// 150 % has a drawing of its own; above it the 100 % picture is enlarged by whole factors,
// so that no bitmap is ever resampled.
TEST(ScrMonitorGeometry, ScaledToTheDrawingsThereAre) {
  const struct {
    int dpi, percent;
  } scales[] = {{96, 100}, {120, 100}, {143, 100}, {144, 150}, {168, 150}, {191, 150},
                {192, 200}, {240, 200}, {288, 300}};
  for (const auto& s : scales) EXPECT_EQ(ScrMonitorScale(s.dpi), s.percent) << s.dpi << " DPI";

  const TScrMonitorGeometry g = ScrMeasureMonitor(std::nullopt, std::nullopt);
  EXPECT_EQ(ScrScaleMonitor(g, 100).corners, g.corners);
  const TScrMonitorGeometry doubled = ScrScaleMonitor(g, 200);
  EXPECT_EQ(doubled.size, (TScrSize{368, 340}));
  EXPECT_EQ(doubled.screen, (TScrRect{32, 34, 338, 260}));
  EXPECT_EQ(doubled.corners[2], (TScrRect{274, 196, 338, 260}));
  EXPECT_EQ(ScrCornerAt(doubled, 338, 260), 2) << "the far border still hits";
  EXPECT_EQ(ScrCornerAt(doubled, 97, 98), ScrNoCorner);

  // The 150 % bitmaps are drawn to these numbers: odd edges round up.
  const TScrMonitorGeometry half = ScrScaleMonitor(g, 150);
  EXPECT_EQ(half.size, (TScrSize{276, 255}));
  EXPECT_EQ(half.screen, (TScrRect{24, 26, 254, 195}));
  EXPECT_EQ(half.corners[0], (TScrRect{24, 26, 72, 74})) << "a 48-pixel box";
  EXPECT_EQ(half.corners[2], (TScrRect{206, 147, 254, 195}));
}

TEST(ScrMonitorGeometry, PictureCentredInTheControl) {
  const TScrMonitorGeometry g = ScrMeasureMonitor(std::nullopt, std::nullopt);
  EXPECT_EQ(ScrMonitorOrigin(g, {184, 170}), (TScrSize{0, 0}));
  EXPECT_EQ(ScrMonitorOrigin(g, {200, 181}), (TScrSize{8, 5}));
  EXPECT_EQ(ScrMonitorOrigin(g, {183, 160}), (TScrSize{-1, -5}));
}

TEST(ScrMonitorGeometry, HitsIncludeEveryBorderAndTheLaterCornerWins) {
  const TScrMonitorGeometry g = ScrMeasureMonitor(std::nullopt, std::nullopt);
  const struct {
    int x, y, corner;
  } rows[] = {
      {16, 17, 0},  {48, 49, 0},  {49, 30, ScrNoCorner}, {15, 17, ScrNoCorner},
      {137, 17, 1}, {169, 49, 1}, {170, 17, ScrNoCorner}, {169, 130, 2}, {137, 98, 2},
      {16, 130, 3}, {48, 98, 3},  {16, 131, ScrNoCorner}, {92, 73, ScrNoCorner},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ScrCornerAt(g, row.x, row.y), row.corner) << row.x << "," << row.y;
  }
  // Boxes of 100 x 100 overlap in the middle of the screen.
  const TScrMonitorGeometry big = ScrMeasureMonitor(std::nullopt, TScrSize{100, 100});
  EXPECT_EQ(ScrCornerAt(big, 92, 73), 3) << "all four boxes hold the centre";
  EXPECT_EQ(ScrCornerAt(big, 92, 25), 1) << "top-left and top-right hold it";
  EXPECT_EQ(ScrCornerAt(big, 30, 73), 3) << "top-left and bottom-left hold it";
}

}  // namespace
