#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

// The platform's own readers of bitmaps, icons and metafiles, fed with a file's bytes.  The
// ordinary picture control (Picture.h) and the slideshow saver (PictureDecode.h) both load
// through them, so both show the same file alike.  Every function here only makes objects of
// its own and draws into memory device contexts of its own: any thread may call it.

struct TIconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using TIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

struct TMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using TMetafileHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, TMetafileDeleter>;

// 32-bit pixels 0xFFRRGGBB, rows top-down, without padding.
struct TPicturePixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
};

// A bitmap file of every kind the platform draws: core (OS/2) and info headers up to V5,
// 1, 4 and 8 bits with a colour table, 16, 24 and 32 bits, RLE4, RLE8, bit fields, bottom-up
// or top-down.  The headers and the pixel data are checked against the file's size before
// the platform sees them; pixels an RLE bitmap skips are black.  Nothing for a file that is
// not such a bitmap or has more than maxPixels pixels.
std::optional<TPicturePixels> PictureLoadBitmap(std::span<const uint8_t> bytes, int64_t maxPixels);

// An icon file: of its images, the largest, and of those the one with the most colours.
// `width` and `height` receive its size.  Null when the file holds no icon the platform takes.
TIconHandle PictureLoadIcon(std::span<const uint8_t> bytes, int& width, int& height);

// An enhanced metafile; its own size in pixels of the device it was made for.
TMetafileHandle PictureLoadEnhMetafile(std::span<const uint8_t> bytes, int& width, int& height);

// A Windows metafile, placeable (its bounding box at its units per inch, shown at the
// screen's resolution) or plain (the extent of its window, one logical unit a pixel),
// converted to an enhanced one.
TMetafileHandle PictureLoadMetafile(std::span<const uint8_t> bytes, int& width, int& height);

// Draws `draw` into a new black 32-bit picture of width × height pixels and returns its
// pixels (alpha set), or nothing when the platform cannot make the bitmap.
std::optional<TPicturePixels> PictureRasterize(int width, int height,
                                               const std::function<void(HDC dc, const RECT& target)>& draw);
