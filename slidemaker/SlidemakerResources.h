#pragma once

// The pictures built into slidemaker.exe (Slidemaker.rc): the button glyphs, the preview's
// logo and the about picture, all drawn by the art generator at build time.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Resource names.
inline constexpr const char* ResGlyphAdd = "GLYPH_ADD";
inline constexpr const char* ResGlyphDelete = "GLYPH_DELETE";
inline constexpr const char* ResGlyphUp = "GLYPH_UP";
inline constexpr const char* ResGlyphDown = "GLYPH_DOWN";
inline constexpr const char* ResGlyphPreview = "GLYPH_PREVIEW";
inline constexpr const char* ResGlyphBuild = "GLYPH_BUILD";
inline constexpr const char* ResGlyphExit = "GLYPH_EXIT";
inline constexpr const char* ResAboutPicture = "ABOUT";
inline constexpr const char* ResLogo = "LOGO";  // RCDATA: the GIF file's bytes

// The resource name of the glyph or about picture `name` drawn for `dpi`: of those drawn at
// 100, 150 and 200 %, the nearest to the DPI's scale (ToolkitPictureScale).
std::string SlidemakerPictureName(const char* name, int dpi);

// A new bitmap of the program's BITMAP resource `name` as drawn for `dpi` (the caller owns
// it).  Throws std::runtime_error when the program lacks it.
HBITMAP SlidemakerBitmap(const char* name, int dpi = 96);

// The bytes of the program's RCDATA resource `name`; throws std::runtime_error when missing.
std::vector<std::uint8_t> SlidemakerData(const char* name);
