#include "Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "MeshCell.h"
#include "Rgb.h"

namespace {

constexpr double Pi = 3.141592653589793;

void ExpectNear(const TVector3& a, const TVector3& b) {
  EXPECT_NEAR(a.x, b.x, 1e-12);
  EXPECT_NEAR(a.y, b.y, 1e-12);
  EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(Geometry, VectorOperations) {
  const TVector3 a{1, 2, 3}, b{4, -5, 6};
  EXPECT_EQ(Add(a, b), (TVector3{5, -3, 9}));
  EXPECT_EQ(Sub(a, b), (TVector3{-3, 7, -3}));
  EXPECT_EQ(Scale(2, a), (TVector3{2, 4, 6}));
  EXPECT_EQ(Divide(a, 2), (TVector3{0.5, 1, 1.5}));
  EXPECT_EQ(Dot(a, b), 4 - 10 + 18);
  EXPECT_EQ(Cross(a, b), (TVector3{2 * 6 - (-5) * 3, 3 * 4 - 6 * 1, 1 * -5 - 2 * 4}));
  EXPECT_EQ(Length(TVector3{3, 4, 12}), 13);
  ExpectNear(Normalize(TVector3{0, 3, 4}), {0, 0.6, 0.8});
  EXPECT_EQ(Centre(a, b, {0, 0, 0}, {-1, 7, -1}), (TVector3{1, 1, 2}));
  // sums are taken in extended precision and narrowed once
  EXPECT_EQ(Add({1e16, 0, 0}, {1, 0, 0}).x, 1e16);
  EXPECT_EQ(Dot({1e16, 1, 0}, {1, 1, 0}), 1e16L + 1);
}

TEST(Geometry, AngleClampsTheCosine) {
  EXPECT_EQ(Angle({1, 2, 3}, {2, 4, 6}), 0);
  EXPECT_DOUBLE_EQ(Angle({1, 2, 3}, {-1, -2, -3}), Pi);
  EXPECT_DOUBLE_EQ(Angle({1, 0, 0}, {0, 1, 0}), Pi / 2);
  EXPECT_EQ(Angle({0.1, 0.1, 0.1}, {0.1, 0.1, 0.1}), 0) << "a cosine rounded past 1";
  EXPECT_DOUBLE_EQ(Angle({0, 0, 0}, {1, 0, 0}), Pi) << "NaN counts as not at least -1";
}

TEST(Geometry, CoordinateSystems) {
  ExpectNear(ToCartesian(Pi / 2, 5, 2, csCylindrical), {0, 2, 5});
  ExpectNear(ToCartesian(0, Pi / 2, 3, csSpherical), {3, 0, 0});
  ExpectNear(ToCartesian(Pi / 2, Pi / 2, 2, csSpherical), {0, 2, 0});
  ExpectNear(ToCartesian(0, 0, 2, csSpherical), {0, 0, 2});
  EXPECT_EQ(ToCartesian(1, 2, 3, csCartesian), (TVector3{1, 2, 3}));
  EXPECT_EQ(ToCartesian(1, 2, 3, static_cast<TCoordSystem>(7)), (TVector3{1, 2, 3}));
}

TEST(Geometry, ScreenPointsAreClampedAndTruncated) {
  EXPECT_EQ(ToScreenPoint(3e9, -3e9), (TScreenPoint{2000000000, -2000000000}));
  EXPECT_EQ(ToScreenPoint(-1.7, 1.7), (TScreenPoint{-1, 1}));
  EXPECT_EQ(ToScreenPoint(2e9, -2e9), (TScreenPoint{2000000000, -2000000000}));
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(ToScreenPoint(inf, -inf), (TScreenPoint{2000000000, -2000000000}));
  EXPECT_EQ(ToScreenPoint(std::nanl(""), 5), (TScreenPoint{0, 5}));
}

TMeshCell Square(double z) {
  TMeshCell cell;
  cell.Corners[0] = {0, 0, z};
  cell.Corners[1] = {1, 0, z};
  cell.Corners[2] = {1, 1, z};
  cell.Corners[3] = {0, 1, z};
  return cell;
}

TEST(Geometry, UpdateCellSetsDepthShadeAndVisibility) {
  TMeshCell facing = Square(0);  // centre (0.5, 0.5, 0), normal along z
  UpdateCell(facing, {0.5, 0.5, 10}, {0.5, 0.5, 5}, {0, 0, -1});
  EXPECT_EQ(facing.Depth, 10);
  EXPECT_DOUBLE_EQ(facing.Shade, 1);
  EXPECT_TRUE(facing.Visible) << "the centre lies on the viewing direction";

  TMeshCell edgeOn = Square(0);  // light in the cell's plane
  UpdateCell(edgeOn, {0.5, 0.5, 10}, {10.5, 0.5, 0}, {0, 0, -1});
  EXPECT_NEAR(edgeOn.Shade, 0, 1e-15);

  TMeshCell aside = Square(0);  // at 90 degrees to the viewing direction
  UpdateCell(aside, {0.5, 0.5, 10}, {0, 0, 5}, {1, 0, 0});
  EXPECT_FALSE(aside.Visible);

  TMeshCell degenerate;  // all corners equal: no normal
  UpdateCell(degenerate, {0, 0, 10}, {0, 0, 5}, {0, 0, -1});
  EXPECT_EQ(degenerate.Shade, 1);

  TMeshCell hidden = Square(0);
  hidden.Visible = false;  // an erroneous corner stays hidden
  UpdateCell(hidden, {0.5, 0.5, 10}, {0.5, 0.5, 5}, {0, 0, -1});
  EXPECT_FALSE(hidden.Visible);
}

std::vector<double> Depths(const TMeshCell* head) {
  std::vector<double> depths;
  for (const TMeshCell* c = head; c; c = c->Next) depths.push_back(c->Depth);
  return depths;
}

TEST(Geometry, SortIsFarToNearAndStable) {
  TCellList list;
  for (double d : {3.0, 1.0, 3.0, 2.0}) list.NewCell().Depth = d;
  TMeshCell* firstThree = list.Head();
  TMeshCell* secondThree = list.Head()->Next->Next;
  list.SortByDepth();
  EXPECT_EQ(Depths(list.Head()), (std::vector<double>{3, 3, 2, 1}));
  EXPECT_EQ(list.Head(), firstThree);
  EXPECT_EQ(list.Head()->Next, secondThree);

  TCellList withNaN;
  for (double d : {2.0, std::nan(""), 5.0, 1.0}) withNaN.NewCell().Depth = d;
  withNaN.SortByDepth();
  const std::vector<double> sorted = Depths(withNaN.Head());
  ASSERT_EQ(sorted.size(), 4u) << "no cell is lost";
  EXPECT_EQ(sorted[0], 5);
  EXPECT_EQ(sorted[1], 2);
  EXPECT_TRUE(std::isnan(sorted[2])) << "NaN goes below its pivot";
  EXPECT_EQ(sorted[3], 1);

  TCellList nanFirst;  // a NaN pivot must not make the sort run for ever
  for (double d : {std::nan(""), 1.0, 2.0}) nanFirst.NewCell().Depth = d;
  nanFirst.SortByDepth();
  EXPECT_EQ(Depths(nanFirst.Head()).size(), 3u);
}

TEST(Geometry, SortAgreesWithAStableSortOnLargeOrderedLists) {
  // An ordered list makes every partition one-sided: with a recursion per side the stack
  // would grow with the length of the list.
  for (bool ascending : {true, false}) {
    TCellList list;
    constexpr int Cells = 200000;
    for (int i = 0; i < Cells; ++i) list.NewCell().Depth = ascending ? i : Cells - i;
    list.SortByDepth();
    const std::vector<double> depths = Depths(list.Head());
    ASSERT_EQ(depths.size(), size_t(Cells));
    EXPECT_TRUE(std::is_sorted(depths.rbegin(), depths.rend()));
  }
  // Random depths with many ties, against std::stable_sort.  A NaN at the end of the list
  // goes below every pivot it meets, so it ends last and the rest is the plain stable order;
  // with it the list takes the pivot quicksort instead of the merge sort.
  for (bool nanAtEnd : {false, true}) {
    TCellList list;
    std::vector<std::pair<double, TMeshCell*>> expected;
    unsigned seed = 12345;
    for (int i = 0; i < 5000; ++i) {
      seed = seed * 1103515245 + 12345;
      TMeshCell& cell = list.NewCell();
      cell.Depth = (seed >> 16) % 100;
      expected.push_back({cell.Depth, &cell});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    if (nanAtEnd) {
      TMeshCell& last = list.NewCell();
      last.Depth = std::nan("");
      expected.push_back({last.Depth, &last});
    }
    list.SortByDepth();
    const TMeshCell* cell = list.Head();
    for (const auto& e : expected) {
      ASSERT_EQ(cell, e.second) << (nanAtEnd ? "pivot quicksort" : "merge sort");
      cell = cell->Next;
    }
  }
  // an ordered list through the pivot quicksort: slow, but its stack stays shallow
  TCellList ordered;
  for (int i = 0; i < 3000; ++i) ordered.NewCell().Depth = i;
  ordered.NewCell().Depth = std::nan("");
  ordered.SortByDepth();
  EXPECT_EQ(ordered.Head()->Depth, 2999);
}

TEST(Geometry, CellListDropsItsSpareCellAndFrees) {
  TCellList list;
  list.NewCell().Depth = 1;
  list.NewCell().Depth = 2;
  list.NewCell().Depth = 3;
  list.DropLast();
  EXPECT_EQ(Depths(list.Head()), (std::vector<double>{1, 2}));
  const TMeshCell fresh = list.NewCell();
  EXPECT_EQ(fresh.Shade, 1.0);
  EXPECT_TRUE(fresh.Visible);
  EXPECT_EQ(fresh.Next, nullptr);
  FreeCells(list);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.Size(), 0u);
}

TEST(Geometry, ColourArithmetic) {
  EXPECT_EQ(SplitColor(0x00112233), (TRgb{0x33, 0x22, 0x11}));
  EXPECT_EQ(ScaleColor({255, 128, 1}, 0.5), (TRgb{127, 64, 0}));
  EXPECT_EQ(ScaleColor({-255, 10, 0}, 0.5), (TRgb{-127, 5, 0})) << "truncated toward zero";
  EXPECT_EQ(AddColor({1, 2, 3}, {10, 20, 30}), (TRgb{11, 22, 33}));
  EXPECT_EQ(SubColor({1, 2, 3}, {10, 20, 30}), (TRgb{-9, -18, -27}));
  EXPECT_EQ(JoinColor({0x33, 0x22, 0x11}), 0x112233u);
  // the cell colour of shade 0.5 between blue 0x80 and 0xFF: 0x80 + trunc(trunc(127 / 2) / 2)
  const TRgb a = SplitColor(0x800000), b = SplitColor(0xFF0000);
  EXPECT_EQ(JoinColor(AddColor(a, ScaleColor(ScaleColor(SubColor(b, a), 0.5), 0.5))), 0x9F0000u);
}

}  // namespace
