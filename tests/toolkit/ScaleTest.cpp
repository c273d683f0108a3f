#include "Scale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The rule case by case; each expected value is worked out by hand from value × dpi / 96.
TEST(ToolkitScale, Rule) {
  struct Case {
    int value, toDpi, fromDpi, expected;
    const char* why;
  };
  const Case cases[] = {
      {11, 96, 96, 11, "96 DPI is the tables' own pixels"},
      {-7, 96, 96, -7, "identity for offsets too"},
      {0, 192, 96, 0, "zero stays zero"},
      {290, 144, 96, 435, "150 %, exact"},
      {11, 144, 96, 17, "16.5: a half rounds up"},
      {11, 120, 96, 14, "13.75 rounds to the nearest"},
      {13, 120, 96, 16, "16.25 rounds down"},
      {2, 120, 96, 3, "2.5: a half rounds up"},
      {1, 120, 96, 1, "1.25: a one-pixel line stays one pixel"},
      {1, 144, 96, 2, "1.5: a half rounds up"},
      {-1, 144, 96, -2, "-1.5: a half rounds away from zero, the mirror of 1"},
      {-3, 144, 96, -5, "-4.5 likewise"},
      {-5, 120, 96, -6, "-6.25 rounds toward zero"},
      {24, 192, 96, 48, "200 %"},
      {435, 96, 144, 290, "back from 150 %"},
      {17, 96, 144, 11, "a rounded value comes back whole: 11.33"},
      {14, 144, 120, 17, "between two scales: 16.8"},
      {std::numeric_limits<int>::max(), 192, 96, std::numeric_limits<int>::max(),
       "clamped, not wrapped"},
      {std::numeric_limits<int>::min(), 192, 96, std::numeric_limits<int>::min(),
       "clamped at the bottom too"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToolkitScale(c.value, c.toDpi, c.fromDpi), c.expected)
        << c.value << " from " << c.fromDpi << " to " << c.toDpi << " DPI: " << c.why;
}

// Pictures drawn at 100, 150 and 200 %: the nearest, the smaller on a tie, never beyond the
// drawn ones.
TEST(ToolkitScale, PictureScale) {
  struct Case {
    int dpi, expected;
  };
  const Case cases[] = {
      {72, 100},  {96, 100},  {110, 100}, {120, 100},  // 125 %: a tie, the smaller
      {121, 150}, {144, 150}, {168, 150},              // 175 %: a tie again
      {169, 200}, {192, 200}, {288, 200},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToolkitPictureScale(c.dpi, {100, 150, 200}), c.expected) << c.dpi << " DPI";
  EXPECT_EQ(ToolkitPictureScale(192, {100}), 100) << "one picture serves every scale";
}

// Going to a scale and back gives the design value again for every value a table holds.
TEST(ToolkitScale, RoundTrip) {
  for (int dpi : {120, 144, 168, 192, 288})
    for (int value = -1000; value <= 1000; ++value)
      ASSERT_EQ(ToolkitScale(ToolkitScale(value, dpi), ToolkitDesignDpi, dpi), value)
          << value << " at " << dpi << " DPI";
}

// Through any chain of scales a length lands where a single step from its table value would:
// 10 at 96 -> 192 -> 120 -> 144 -> 96 once ended on 11 by scaling each rounded step.
TEST(ToolkitScale, ChainsOfChangesDoNotDrift) {
  const int chain[] = {192, 120, 144, 168, 120, 288, 144, 96};
  for (int value = -300; value <= 300; ++value) {
    TScaledLength length;
    int current = value, dpi = ToolkitDesignDpi;
    for (int to : chain) {
      current = length.Scale(current, dpi, to);
      dpi = to;
      ASSERT_EQ(current, ToolkitScale(value, to)) << value << " at " << to << " DPI";
    }
  }
}

// A length changed from outside between two changes scales from its new value.
TEST(ToolkitScale, AChangedLengthIsTheNewOrigin) {
  TScaledLength length;
  EXPECT_EQ(length.Scale(10, 96, 192), 20);
  EXPECT_EQ(length.Scale(30, 192, 144), 23) << "30 at 192 is 22.5 at 144";
  EXPECT_EQ(length.Scale(23, 144, 96), 15) << "back from 30 at 192, not from 23";
}

}  // namespace
