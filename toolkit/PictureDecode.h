#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "PictureFormat.h"

// A picture file turned into 32-bit pixels by the loader the ordinary picture control uses
// for its format (Picture.h): JPEG through the JPEG reader, bitmaps, icons and metafiles
// through the platform's loaders (PictureLoaders.h), which the native build does not have.
// For callers that draw pixels themselves, such as the slideshow saver.  Keeps nothing
// between calls, so any thread may call it, several at once.

struct TPictureBitmap {
  // The picture's own size in pixels, as stored (a JPEG file before its EXIF turn).
  int Width = 0;
  int Height = 0;
  // PixelWidth × PixelHeight pixels 0xFFRRGGBB, rows top-down, no padding: the picture at its
  // own size, or smaller when it was decoded for a smaller display.
  int PixelWidth = 0;
  int PixelHeight = 0;
  std::vector<uint32_t> Pixels;
  // A JPEG file's EXIF orientation (1 to 8, JPEGReader.h); 1 for every other picture.
  int Orientation = 1;
};

// Decodes `bytes`, the content of the file `fileName`, whose extension chooses the loader
// (PictureFormatOf).  displayWidth × displayHeight (0 × 0: the own size) is the room the
// picture will be shown in: a JPEG file at least twice as large is decoded at 1/2, 1/4 or
// 1/8, a metafile larger than it is drawn scaled down to fit with its aspect kept; bitmaps
// and icons come at their own size, an icon's transparent pixels black.  Pictures of more than
// maxPixels pixels are refused.  Throws std::runtime_error with the picture control's
// messages: "Unknown picture file extension (.xyz)", the JPEG reader's, "Cannot read bitmap
// file NAME", "Cannot read icon file NAME", "Cannot read metafile NAME".  `cancelled` is
// asked while a JPEG file decodes (TJPEGReadOptions::Cancelled).
TPictureBitmap PictureDecode(std::span<const uint8_t> bytes, const std::string& fileName,
                             int displayWidth, int displayHeight, int64_t maxPixels,
                             const std::function<bool()>& cancelled = {});

// The platform's part of PictureDecode, for bitmaps, icons and metafiles; same contract.
// PictureDecodeWin32.cpp draws them, PictureDecodePosix.cpp refuses them.
TPictureBitmap PictureDecodePlatform(std::span<const uint8_t> bytes, TPictureFormat format,
                                     const std::string& fileName, int displayWidth,
                                     int displayHeight, int64_t maxPixels);
