#include "ScrSensitivity.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "ScrDismissal.h"

namespace {

TEST(ScrSensitivity, PixelsAndIndexes) {
  EXPECT_EQ(ScrSensitivityPixels(mtHigh), 0u);
  EXPECT_EQ(ScrSensitivityPixels(mtNormal), 200u);
  EXPECT_EQ(ScrSensitivityPixels(mtLow), 400u);
  EXPECT_GE(ScrSensitivityPixels(mtKeyboard_only), ScrMouseIgnored) << "the mouse must be ignored";
  EXPECT_EQ(ScrSensitivityPixels(4), 200u);

  const struct {
    std::int64_t index;
    TMouseThreshold sensitivity;
  } indexes[] = {{0, mtHigh}, {1, mtNormal}, {2, mtLow}, {3, mtKeyboard_only},
                 {-1, mtNormal} /* no selection */, {4, mtNormal}, {0x100000000, mtNormal}};
  for (const auto& row : indexes) {
    EXPECT_EQ(ScrSensitivityOfIndex(row.index), row.sensitivity) << row.index;
  }
}

// Every sensitivity's own threshold comes back as that sensitivity (the panel writes those),
// other thresholds fall into the ranges.
TEST(ScrSensitivity, ThresholdsShowTheirSensitivity) {
  for (std::uint32_t ordinal = mtHigh; ordinal <= mtKeyboard_only; ++ordinal) {
    EXPECT_EQ(ScrSensitivityOfPixels(ScrSensitivityPixels(ordinal)), ordinal);
  }
  const struct {
    std::uint32_t pixels;
    TMouseThreshold sensitivity;
  } ranges[] = {{1, mtHigh},   {100, mtHigh},  {199, mtHigh},  {201, mtNormal},
                {399, mtNormal}, {401, mtLow}, {5000, mtLow},  {5001, mtKeyboard_only},
                {0xFFFFFFFF, mtKeyboard_only}};
  for (const auto& row : ranges) {
    EXPECT_EQ(ScrSensitivityOfPixels(row.pixels), row.sensitivity) << row.pixels;
  }
}

}  // namespace
