#pragma once

// The editor's own pictures, each drawn by code.

#include <cstdint>
#include <string>
#include <vector>

#include "ArtCanvas.h"

// The scales, in percent, at which the glyphs and the about picture are drawn, for screens
// of 96 DPI and more: the editor shows the nearest (ToolkitPictureScale), sharp and whole,
// never stretched.  Files of the larger ones carry the scale in their name ("-150").
inline constexpr int ArtScales[] = {100, 150, 200};

// Button glyphs are 16 × 16 at 100 % on this colour, which their lower-left pixel carries and
// the picture buttons leave out.
inline constexpr TArtColor ArtGlyphBackground = ArtRgb(255, 0, 255);
inline constexpr int ArtGlyphSize = 16;

// The glyphs by the file stem they are written under: "add", "delete", "up", "down",
// "preview", "build", "exit"; Draw takes the scale as a factor (1.5 for 150 %).
struct TArtGlyph {
  const char* Stem;
  TArtCanvas (*Draw)(double scale);
};
const std::vector<TArtGlyph>& ArtGlyphs();

// The slideshow preview's logo: a 258 × 83 GIF of a single frame (the name lit by a slanted
// band of light above a film strip), so the preview's animating logo control stays still.
inline constexpr int ArtLogoWidth = 258, ArtLogoHeight = 83;
std::vector<std::uint8_t> ArtLogoGif();

// The about box's picture, 200 × 172 at 100 % (`scale` 1): three photographs on black.
TArtCanvas ArtAboutPicture(double scale = 1);
