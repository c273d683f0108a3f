#include "Art.h"

#include <gtest/gtest.h>

#include <set>

#include "GIFAnimation.h"

// The logo decodes with the editor's own GIF decoder as the preview expects it: a single
// 258 × 83 frame, so it never animates.
TEST(Art, LogoIsASingle258By83Frame) {
  const std::vector<std::uint8_t> bytes = ArtLogoGif();
  TGIFAnimation logo;
  ASSERT_TRUE(logo.LoadFromBytes(bytes));
  EXPECT_EQ(logo.Picture().Width, 258);
  EXPECT_EQ(logo.Picture().Height, 83);
  EXPECT_EQ(logo.FrameCount(), 1);
  EXPECT_FALSE(logo.Animated());
}

namespace {

// The share of a glyph's pixels that are not its background.
double Coverage(const TArtCanvas& canvas) {
  int covered = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) covered += canvas.At(x, y) != ArtGlyphBackground;
  return static_cast<double>(covered) / (canvas.Width() * canvas.Height());
}

}  // namespace

// At every scale a glyph has the scaled size, its lower-left pixel is the colour the picture
// buttons leave out, it draws something in other colours, and it covers the same share of
// its square as at 100 % (a shape left unscaled would cover a quarter of it at 200 %).
TEST(Art, GlyphsAtEveryScaleKeepTheirSizeCornerAndShape) {
  for (const TArtGlyph& glyph : ArtGlyphs()) {
    const double base = Coverage(glyph.Draw(1));
    for (int percent : ArtScales) {
      const TArtCanvas canvas = glyph.Draw(percent / 100.0);
      const int size = ArtGlyphSize * percent / 100;
      ASSERT_EQ(canvas.Width(), size) << glyph.Stem << " at " << percent << " %";
      ASSERT_EQ(canvas.Height(), size) << glyph.Stem << " at " << percent << " %";
      EXPECT_EQ(canvas.At(0, size - 1), ArtGlyphBackground) << glyph.Stem << " at " << percent << " %";
      std::set<TArtColor> colours;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) colours.insert(canvas.At(x, y));
      EXPECT_GE(colours.size(), 3u) << glyph.Stem << " at " << percent << " %";
      EXPECT_NEAR(Coverage(canvas), base, 0.08) << glyph.Stem << " at " << percent << " %";
    }
  }
  for (int percent : ArtScales) {
    const TArtCanvas about = ArtAboutPicture(percent / 100.0);
    EXPECT_EQ(about.Width(), 200 * percent / 100);
    EXPECT_EQ(about.Height(), 172 * percent / 100);
  }
}
