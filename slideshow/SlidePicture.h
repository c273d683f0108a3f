#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "GIFAnimation.h"
#include "SlideBitmap.h"
#include "SlideFit.h"

// One decoded picture of the slideshow: a still picture, or an animated GIF that animates
// while it is shown.
struct TSlidePicture {
  // The picture's own upright size in pixels, which the fit rule places; a JPEG file may be
  // decoded smaller (Still then holds fewer pixels, stretched into the place).
  int Width = 0;
  int Height = 0;
  TSlideBitmap Still;                  // JPEG and bitmap files
  std::unique_ptr<TGIFAnimation> Gif;  // GIF files: loaded, Animate and Loop on
  // Where it lies in its area once fitted (SlideFitPicture); a fitted Still is exactly this
  // size, a GIF's frames are scaled to it as they are shown.
  TSlideRect Place;
};

// Largest picture decoded, in pixels of the file (512 MB of 32-bit pixels).
inline constexpr std::int64_t SlideMaxPixels = std::int64_t(1) << 27;

// Decodes a member by its name's extension, in any case, through the loaders of the editor's
// picture controls: "gif" through the GIF component (animating), every other type the image
// picker offers through PictureDecode (PictureDecode.h): "jpg" and "jpeg" turned upright by
// the file's EXIF orientation and decoded at 1/2, 1/4 or 1/8 when that still covers
// displayWidth × displayHeight; "bmp" of every kind, "ico", "emf" and "wmf" by the platform
// (the Windows build only), a metafile drawn no larger than the display.  Throws ESlideError
// with a few words for another extension or a file that does not decode.
//
// Keeps nothing between calls and touches no window: any thread may call it, several at
// once; the picture it returns belongs to the caller.  `cancelled` is asked while a JPEG
// decodes (TJPEGReadOptions::Cancelled).  A file of more than maxPixels pixels is refused
// (for a GIF file: bitmaps of more than maxPixels 32-bit pixels in all).
TSlidePicture SlideDecode(const std::string& name, std::span<const std::uint8_t> bytes,
                          int displayWidth, int displayHeight,
                          const std::function<bool()>& cancelled = {},
                          std::int64_t maxPixels = SlideMaxPixels);

// Places a decoded picture in an area of areaWidth × areaHeight pixels (SlideFit) and scales
// a still picture to its place (SlideScale), so that showing it is a plain copy.  Runs on
// the worker thread: the window thread never scales a photo.
void SlideFitPicture(TSlidePicture& picture, int areaWidth, int areaHeight, bool enlarge);
