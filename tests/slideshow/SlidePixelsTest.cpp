// The pixels a monitor shows: smooth scaling, the frame of a monitor and the cross-fade.
#include <gtest/gtest.h>

#include "SlideFrame.h"
#include "SlideScale.h"

namespace {

std::uint32_t Grey(int v) { return 0xFF000000u | std::uint32_t(v) * 0x010101u; }
int Red(std::uint32_t p) { return int(p >> 16 & 0xFF); }

}  // namespace

TEST(SlideScale, GrowsBilinearShrinksByAverageKeepsFlatColours) {
  // Growing black-white 2 × 1 to 4 × 1: the centres of the new pixels lie at 1/4 and 3/4 of
  // the old ones, so the middle two are a quarter and three quarters grey.
  const TSlideBitmap pair{2, 1, {Grey(0), Grey(255)}};
  const TSlideBitmap grown = SlideScale(pair, 4, 1);
  EXPECT_EQ(grown.Pixels, (std::vector<std::uint32_t>{Grey(0), Grey(64), Grey(191), Grey(255)}));

  // Shrinking 4 × 1 to 2 × 1: each pixel the mean of the two it covers; 3 × 1 to 2 × 1 shares
  // the middle pixel half and half.
  const TSlideBitmap four{4, 1, {Grey(0), Grey(100), Grey(200), Grey(250)}};
  EXPECT_EQ(SlideScale(four, 2, 1).Pixels, (std::vector<std::uint32_t>{Grey(50), Grey(225)}));
  const TSlideBitmap three{3, 1, {Grey(0), Grey(90), Grey(180)}};
  EXPECT_EQ(SlideScale(three, 2, 1).Pixels, (std::vector<std::uint32_t>{Grey(30), Grey(150)}));

  // Downwards the same rules apply.
  const TSlideBitmap column{1, 2, {Grey(0), Grey(255)}};
  EXPECT_EQ(SlideScale(column, 1, 4).Pixels,
            (std::vector<std::uint32_t>{Grey(0), Grey(64), Grey(191), Grey(255)}));

  // A flat colour stays exactly that colour whatever the sizes (weights add up to one).
  const std::uint32_t olive = 0xFF808000u;
  for (auto [w, h, W, H] : {std::array{1, 1, 37, 23}, std::array{7, 5, 3, 2}, std::array{640, 1, 1, 1},
                            std::array{5, 9, 13, 4}}) {
    const TSlideBitmap flat{w, h, std::vector<std::uint32_t>(std::size_t(w * h), olive)};
    const TSlideBitmap scaled = SlideScale(flat, W, H);
    ASSERT_EQ(scaled.Pixels.size(), std::size_t(W * H));
    for (std::uint32_t p : scaled.Pixels) ASSERT_EQ(p, olive) << w << "x" << h << " to " << W << "x" << H;
  }
  EXPECT_TRUE(SlideScale(TSlideBitmap{}, 4, 4).Pixels.empty());
  EXPECT_TRUE(SlideScale(pair, 0, 4).Pixels.empty());
}

TEST(SlideFrame, PictureInItsPlaceOnBlackAndTheCrossFade) {
  const TSlideBitmap picture{2, 2, {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000}};
  TSlideBitmap frame;
  SlideCompose(frame, 4, 3, picture, {1, 1, 2, 2});
  const std::uint32_t k = 0xFF000000, r = 0xFFFF0000;
  EXPECT_EQ(frame.Pixels, (std::vector<std::uint32_t>{k, k, k, k, k, r, r, k, k, r, r, k}));
  // A place partly outside the frame is cut, never written past it.
  SlideCompose(frame, 2, 2, picture, {1, -1, 2, 2});
  EXPECT_EQ(frame.Pixels, (std::vector<std::uint32_t>{k, r, k, k}));

  EXPECT_EQ(SlideFadeWeight(0, SlideFadeMs), 0);
  EXPECT_EQ(SlideFadeWeight(500, SlideFadeMs), 128);
  EXPECT_EQ(SlideFadeWeight(999, SlideFadeMs), 255);
  EXPECT_EQ(SlideFadeWeight(5000, SlideFadeMs), 256);
  EXPECT_EQ(SlideFadeWeight(0, 0), 256);

  // Red to blue: the ends are exact, the middle is an even mix, every channel on its own.
  const std::vector<std::uint32_t> from{0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF}, to{0xFF0000FF, 0xFF00FF00, 0xFF000000};
  std::vector<std::uint32_t> out(3);
  SlideBlend(from.data(), to.data(), out.data(), 3, 0);
  EXPECT_EQ(out, from);
  SlideBlend(from.data(), to.data(), out.data(), 3, 256);
  EXPECT_EQ(out, to);
  SlideBlend(from.data(), to.data(), out.data(), 3, 128);
  EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFF7F007F, 0xFF00FF00, 0xFF7F7F7F}));
  for (int weight = 0; weight <= 256; weight += 16) {
    SlideBlend(from.data(), to.data(), out.data(), 1, weight);
    EXPECT_NEAR(Red(out[0]), 255 * (256 - weight) / 256, 1) << weight;
    EXPECT_EQ(out[0] >> 24, 0xFFu) << "the fourth byte stays " << weight;
  }
}
