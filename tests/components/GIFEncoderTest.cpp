// The encoder of true-colour animations, read back by our decoder: exact colours where they
// fit, the quantiser's error where they do not, the tables and rectangles it chooses, and the
// faults it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "GIFEncoder.h"
#include "GIFEncoderSamples.h"
#include "GIFPicture.h"
#include "GIFQuantiser.h"

namespace {

TGIFPicture Parse(const std::vector<uint8_t>& bytes) {
  TGIFPicture picture;
  std::string error;
  EXPECT_TRUE(GIFParse(bytes, {}, picture, error)) << error;
  return picture;
}

double MeanDistance(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::sqrt(double(GIFColorDistance2(a[i], b[i])));
  return sum / double(a.size());
}

// Few colours: one global table, every frame exact, later frames only their changed
// rectangle, a frame that changes nothing a single pixel, the delay and endless loop read back.
TEST(GIFEncoder, FewColoursAreExactWithOneGlobalTable) {
  TGIFSampleAnimation a = GIFSampleDisc(120, 80, 6, 12);
  a.Frames.insert(a.Frames.begin() + 3, a.Frames[2]);  // a still frame
  TGIFEncodeStats stats;
  const std::vector<uint8_t> bytes = GIFEncode(a.Width, a.Height, a.Frames, {7, 0}, &stats);
  EXPECT_TRUE(stats.Exact);
  EXPECT_EQ(stats.LocalTables, 0);
  EXPECT_EQ(stats.GlobalColors, 12 + 2);
  EXPECT_EQ(GIFShownFrames(bytes), a.Frames);

  const TGIFPicture picture = Parse(bytes);
  ASSERT_EQ(picture.Frames.size(), a.Frames.size());
  EXPECT_EQ(picture.LoopCount, 0);
  EXPECT_EQ(picture.Frames[0].Width, 120);
  EXPECT_EQ(picture.Frames[0].Height, 80);
  for (const TGIFFrame& frame : picture.Frames) {
    EXPECT_EQ(frame.Delay, 70u);
    EXPECT_EQ(frame.Disposal, 1);
  }
  // The disc moves sideways inside its rows: a later frame spans at most the disc's rows.
  EXPECT_LE(picture.Frames[1].Height, 80 * 2 / 3 + 2);
  EXPECT_LT(picture.Frames[1].Width, 120);
  EXPECT_EQ(picture.Frames[3].Width * picture.Frames[3].Height, 1) << "the still frame";
  EXPECT_LT(stats.StoredPixels, uint64_t(a.Width * a.Height) * a.Frames.size() / 2);
}

// More colours in all than fit one table, each frame few: exact, the frames the global table
// does not cover with tables of their own.
TEST(GIFEncoder, FramesOutsideTheGlobalTableGetTheirOwn) {
  // Ten frames of 62 colours, two of them replaced by frames of 250 shades of other hues.
  TGIFSampleAnimation a = GIFSampleDisc(520, 360, 10, 60);
  const TGIFSampleAnimation other = GIFSampleDisc(520, 360, 10, 250, 20);
  a.Frames[4] = other.Frames[4];
  a.Frames[8] = other.Frames[8];
  TGIFEncodeStats stats;
  const std::vector<uint8_t> bytes = GIFEncode(a.Width, a.Height, a.Frames, {}, &stats);
  EXPECT_TRUE(stats.Exact);
  EXPECT_EQ(stats.LocalTables, 2);
  EXPECT_EQ(stats.GlobalColors, 255);
  const TGIFPicture picture = Parse(bytes);
  EXPECT_EQ(picture.GlobalTableBits, 8);
  EXPECT_EQ(GIFShownFrames(bytes), a.Frames);
}

// Thousands of colours a frame: reduced to 255 with a small mean error, and the decoder shows
// exactly what the encoder says it does.
TEST(GIFEncoder, ManyColoursAreQuantisedWithASmallError) {
  const TGIFSampleAnimation a = GIFSampleGradient(96, 64, 3);
  TGIFEncodeStats stats;
  const std::vector<uint8_t> bytes = GIFEncode(a.Width, a.Height, a.Frames, {}, &stats);
  EXPECT_FALSE(stats.Exact);
  EXPECT_EQ(stats.QuantisedFrames, 3);
  const auto shown = GIFShownFrames(bytes);
  ASSERT_EQ(shown.size(), 3u);
  double total = 0;
  for (size_t k = 0; k < shown.size(); ++k) total += MeanDistance(shown[k], a.Frames[k]);
  EXPECT_NEAR(total / 3, stats.MeanError, 1e-6);
  // Nearly every pixel has a colour of its own here, so 255 entries each stand for a patch of
  // about 5 × 5 pixels of the gradients: a few RGB units of error.  The oracle is the uniform
  // 6 × 6 × 6 palette, which ignores where the colours lie.
  EXPECT_LT(stats.MeanError, 8.0) << "per pixel, in RGB units";
  std::vector<uint32_t> cube;
  for (uint32_t r = 0; r < 6; ++r)
    for (uint32_t g = 0; g < 6; ++g)
      for (uint32_t b = 0; b < 6; ++b) cube.push_back(r * 51 << 16 | g * 51 << 8 | b * 51);
  TGIFNearestColor nearest(cube);
  std::vector<uint32_t> uniform(a.Frames[0].size());
  for (size_t i = 0; i < uniform.size(); ++i) uniform[i] = cube[nearest(a.Frames[0][i])];
  EXPECT_LT(stats.MeanError * 2, MeanDistance(uniform, a.Frames[0]));
}

TEST(GIFEncoder, MedianCutAndNearestColour) {
  // At most as many colours as asked for: exactly those.
  const std::vector<TGIFColorCount> few = {{0x000000, 5}, {0x00FF00, 1}, {0xFFFFFF, 9}};
  EXPECT_EQ(GIFMedianCut(few, 3), (std::vector<uint32_t>{0x000000, 0x00FF00, 0xFFFFFF}));
  // Two clusters into two entries: each the weighted mean of its cluster.
  const std::vector<TGIFColorCount> clusters = {
      {0x0A0A0A, 3}, {0x0E0E0E, 1}, {0xF0F0F0, 1}, {0xF4F4F4, 1}};
  std::vector<uint32_t> two = GIFMedianCut(clusters, 2);
  std::sort(two.begin(), two.end());
  EXPECT_EQ(two, (std::vector<uint32_t>{0x0B0B0B, 0xF2F2F2}));
  // A full cube of colours keeps every entry in use.
  std::vector<TGIFColorCount> cube;
  for (uint32_t r = 0; r < 256; r += 17)
    for (uint32_t g = 0; g < 256; g += 17)
      for (uint32_t b = 0; b < 256; b += 51) cube.push_back({r << 16 | g << 8 | b, 1});
  EXPECT_EQ(GIFMedianCut(cube, 255).size(), 255u);
  EXPECT_THROW(GIFMedianCut(cube, 0), std::invalid_argument);

  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0xFF0000, 0xFFFFFF};
  TGIFNearestColor nearest(palette);
  EXPECT_EQ(nearest(0xF01010), 1) << "lowest index on a tie";
  EXPECT_EQ(nearest(0x202020), 0);
  EXPECT_EQ(nearest(0xEEEEEE), 3);
  EXPECT_EQ(GIFCountColors(std::vector<uint32_t>{7, 7, 3, 7}), (std::vector<TGIFColorCount>{{3, 1}, {7, 3}}));
}

TEST(GIFEncoder, FaultsOfSizesAndFrames) {
  const std::vector<std::vector<uint32_t>> one(1, std::vector<uint32_t>(6, 0));
  struct TFault {
    const char* what;
    int width, height;
    std::vector<std::vector<uint32_t>> frames;
    TGIFEncodeOptions options;
    const char* message;
  };
  const TFault faults[] = {
      {"zero width", 0, 6, one, {}, "screen 0 x 6 is outside 1 to 65535"},
      {"too wide", 65536, 1, one, {}, "screen 65536 x 1"},
      {"no frame", 2, 3, {}, {}, "no frame"},
      {"short frame", 2, 3, {one[0], std::vector<uint32_t>(5)}, {}, "frame 2: 5 pixels for 2 x 3"},
      {"delay", 2, 3, one, {-1, 0}, "delay -1"},
      {"loop count", 2, 3, one, {5, 65536}, "loop count 65536"},
  };
  for (const TFault& fault : faults) {
    try {
      GIFEncode(fault.width, fault.height, fault.frames, fault.options);
      ADD_FAILURE() << fault.what << ": encoded";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(fault.message), std::string::npos) << fault.what << ": " << e.what();
    }
  }
  // One pixel, one colour: the smallest animation there is.
  const std::vector<std::vector<uint32_t>> dot(2, std::vector<uint32_t>{0xABCDEF});
  EXPECT_EQ(GIFShownFrames(GIFEncode(1, 1, dot, {})), dot);
}

}  // namespace
