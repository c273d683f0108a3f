#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "GIFAnimation.h"
#include "SlideBitmap.h"

// One decoded picture of the slideshow: a still picture, or an animated GIF that animates
// while it is shown.
struct TSlidePicture {
  // The picture's own upright size in pixels, which the fit rule places; a JPEG file may be
  // decoded smaller (Still then holds fewer pixels, stretched into the place).
  int Width = 0;
  int Height = 0;
  TSlideBitmap Still;                  // JPEG and bitmap files
  std::unique_ptr<TGIFAnimation> Gif;  // GIF files: loaded, Animate and Loop on
};

// Largest picture decoded, in pixels of the file (512 MB of 32-bit pixels).
inline constexpr std::int64_t SlideMaxPixels = std::int64_t(1) << 27;

// Decodes a member by its name's extension, in any case: "gif" through the GIF component,
// "jpg" and "jpeg" through the JPEG reader (turned upright by the file's EXIF orientation,
// decoded at 1/2, 1/4 or 1/8 when that still covers displayWidth × displayHeight), "bmp"
// through SlideReadBMP.  Throws ESlideError with a few words for another extension or a file
// that does not decode, or one of more than maxPixels pixels (for a GIF file: bitmaps of more
// than maxPixels 32-bit pixels in all).
TSlidePicture SlideDecode(const std::string& name, std::span<const std::uint8_t> bytes,
                          int displayWidth, int displayHeight,
                          std::int64_t maxPixels = SlideMaxPixels);
