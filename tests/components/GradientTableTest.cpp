#include "GradientTable.h"

#include <gtest/gtest.h>

namespace {

TEST(GradientTable, ColourSteps) {
  // Two steps are the ends themselves.
  EXPECT_EQ(GFColorTable(0x000000, 0xC08040, 2), (std::vector<TGFColor>{0x000000, 0xC08040}));
  // Steps of half a unit in red (the low byte) round to even: 0, 0.5, 1, 1.5, 2, 2.5, 3.
  EXPECT_EQ(GFColorTable(0x000000, 0x000003, 7),
            (std::vector<TGFColor>{0, 0, 1, 2, 2, 2, 3}));
  // Falling channels: blue (the high byte) from 10 to 0 in steps of −2.5; green rises.
  EXPECT_EQ(GFColorTable(0x0A0000, 0x000400, 5),
            (std::vector<TGFColor>{0x0A0000, 0x080100, 0x050200, 0x020300, 0x000400}));
  // The default caption: black to a system colour over 64 steps ends exactly on it.
  const std::vector<TGFColor> table = GFColorTable(0x000000, 0xD1B499, 64);
  ASSERT_EQ(table.size(), 64u);
  EXPECT_EQ(table.front(), 0x000000u);
  EXPECT_EQ(table.back(), 0xD1B499u);
  EXPECT_EQ(table[32] & 0xFF, 78u);   // 0x99 × 32 / 63 = 77.7
}

TEST(GradientTable, BandEdges) {
  // 10 pixels in 4 bands: 2.5 and 7.5 round to even.
  int edges[5];
  for (int i = 0; i <= 4; ++i) edges[i] = GFBandEdge(i, 10, 4);
  EXPECT_EQ(std::vector<int>(edges, edges + 5), (std::vector<int>{0, 2, 5, 8, 10}));
  // Fewer pixels than bands: some bands are empty, none goes past the width.
  EXPECT_EQ(GFBandEdge(7, 5, 8), 4);
  EXPECT_EQ(GFBandEdge(8, 5, 8), 5);
}

}  // namespace
