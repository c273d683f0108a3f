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

// A glyph's lower-left pixel is the colour the picture buttons leave out, and it draws
// something in other colours.
TEST(Art, GlyphsKeepTheirTransparentCorner) {
  for (const TArtGlyph& glyph : ArtGlyphs()) {
    const TArtCanvas canvas = glyph.Draw();
    ASSERT_EQ(canvas.Width(), ArtGlyphSize) << glyph.Stem;
    ASSERT_EQ(canvas.Height(), ArtGlyphSize) << glyph.Stem;
    EXPECT_EQ(canvas.At(0, ArtGlyphSize - 1), ArtGlyphBackground) << glyph.Stem;
    std::set<TArtColor> colours;
    for (int y = 0; y < ArtGlyphSize; ++y)
      for (int x = 0; x < ArtGlyphSize; ++x) colours.insert(canvas.At(x, y));
    EXPECT_GE(colours.size(), 3u) << glyph.Stem;
  }
  const TArtCanvas about = ArtAboutPicture();
  EXPECT_EQ(about.Width(), 200);
  EXPECT_EQ(about.Height(), 172);
}
