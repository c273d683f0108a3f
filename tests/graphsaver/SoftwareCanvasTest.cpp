#include "SoftwareCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bitmap as rows of '#' (pen), 'o' (brush) and '.' (anything else), for small pictures.
std::vector<std::string> Picture(const TSoftwareBitmap& b, TColor pen, TColor brush) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = b.Pixel(x, y);
      row += c == pen ? '#' : c == brush ? 'o' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(SoftwareCanvas, LinesLeaveOutTheirLastPixel) {
  TSoftwareBitmap b(8, 5);
  b.SetPenColor(1);
  b.MoveTo(1, 1);
  b.LineTo(6, 1);  // horizontal: 1..5
  b.MoveTo(0, 4);
  b.LineTo(4, 0);  // diagonal up: (0,4) .. (3,1)
  b.MoveTo(7, 0);
  b.LineTo(7, 0);  // zero length: nothing
  EXPECT_EQ(Picture(b, 1, 2), (std::vector<std::string>{
                                  "........",
                                  ".#####..",
                                  "..#.....",
                                  ".#......",
                                  "#.......",
                              }));
}

TEST(SoftwareCanvas, ShallowLinesStepOncePerColumn) {
  TSoftwareBitmap b(9, 3);
  b.SetPenColor(1);
  b.MoveTo(0, 0);
  b.LineTo(8, 2);  // two steps down over eight columns; the halves at x = 2 and 6 stay up
  EXPECT_EQ(Picture(b, 1, 2), (std::vector<std::string>{
                                  "###......",
                                  "...####..",
                                  ".......#.",
                              }));
}

TEST(SoftwareCanvas, FarAwayLinesAreClippedNotWalked) {
  TSoftwareBitmap b(10, 10);
  b.SetPenColor(1);
  b.MoveTo(-2000000000, 5);
  b.LineTo(2000000000, 5);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(b.Pixel(x, 5), 1u);
  b.MoveTo(5, 2000000000);
  b.LineTo(5, -2000000000);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(b.Pixel(5, y), 1u);
}

TEST(SoftwareCanvas, PolygonsFillInsideAndOutlineWithThePen) {
  TSoftwareBitmap b(7, 6);
  b.SetPenColor(1);
  b.SetBrushColor(2);
  const TScreenPoint square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  b.Polygon(square);
  EXPECT_EQ(Picture(b, 1, 2), (std::vector<std::string>{
                                  ".......",
                                  ".#####.",
                                  ".#ooo#.",
                                  ".#ooo#.",
                                  ".#####.",
                                  ".......",
                              }));
  // a bow tie: alternate filling leaves the crossing pixel's neighbours to each half
  TSoftwareBitmap tie(9, 5);
  tie.SetPenColor(1);
  tie.SetBrushColor(2);
  const TScreenPoint bow[] = {{0, 0}, {8, 4}, {8, 0}, {0, 4}};
  tie.Polygon(bow);
  EXPECT_EQ(tie.Pixel(1, 2), 2u) << "inside the left triangle";
  EXPECT_EQ(tie.Pixel(4, 0), 0u) << "outside, between the triangles";
}

TEST(SoftwareCanvas, RectanglesLeaveOutTheRightAndBottomEdges) {
  TSoftwareBitmap b(6, 5);
  b.SetPenColor(1);
  b.SetBrushColor(2);
  b.Rectangle(4, 3, 1, 0);  // corners in any order
  EXPECT_EQ(Picture(b, 1, 2), (std::vector<std::string>{
                                  ".###..",
                                  ".#o#..",
                                  ".###..",
                                  "......",
                                  "......",
                              }));
  TSoftwareBitmap copy(4, 4);
  copy.CopyRect(-1, 1, 6, 5, b, 0, 0);  // clipped on both sides
  EXPECT_EQ(copy.Pixel(0, 1), 1u);
  EXPECT_EQ(copy.Pixel(1, 2), 2u);
  copy.SetSize(2, 2);
  EXPECT_EQ(copy.Pixel(0, 1), 1u) << "resizing keeps what still fits";
}

}  // namespace
