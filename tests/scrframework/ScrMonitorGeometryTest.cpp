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

// Whole factors only, so that the bitmaps stay sharp; the 200 % picture is the 100 % one
// with every length doubled.
TEST(ScrMonitorGeometry, ScaledByWholeFactors) {
  const struct {
    int dpi, factor;
  } factors[] = {{96, 1}, {120, 1}, {144, 1}, {191, 1}, {192, 2}, {240, 2}, {288, 3}};
  for (const auto& f : factors) EXPECT_EQ(ScrMonitorFactor(f.dpi), f.factor) << f.dpi << " DPI";

  const TScrMonitorGeometry g = ScrMeasureMonitor(std::nullopt, std::nullopt);
  EXPECT_EQ(ScrScaleMonitor(g, 1).corners, g.corners);
  const TScrMonitorGeometry doubled = ScrScaleMonitor(g, 2);
  EXPECT_EQ(doubled.size, (TScrSize{368, 340}));
  EXPECT_EQ(doubled.screen, (TScrRect{32, 34, 338, 260}));
  EXPECT_EQ(doubled.corners[2], (TScrRect{274, 196, 338, 260}));
  EXPECT_EQ(ScrCornerAt(doubled, 338, 260), 2) << "the far border still hits";
  EXPECT_EQ(ScrCornerAt(doubled, 97, 98), ScrNoCorner);
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
