#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

// JPEG files decoded into 32-bit pictures through libjpeg, portable.  Greyscale, YCbCr, RGB,
// CMYK and YCCK files are read, baseline and progressive, with restart markers or without.

// A failure of the JPEG reader.  what() is libjpeg's own message ("Not a JPEG file: starts
// with 0x47 0x49", "Premature end of input file", ...) or one of the reader's bounds ("JPEG
// picture too large (W x H pixels)", "JPEG file has more than N scans").
class EJPEGError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum TJPEGColorSpace { jcUnknown, jcGrayscale, jcRGB, jcYCbCr, jcCMYK, jcYCCK };

// The name of a colour space as the picture tool prints it ("YCbCr", "CMYK", ...).
const char* JPEGColorSpaceName(TJPEGColorSpace space);

struct TJPEGPicture {
  // Size of the decoded picture in pixels: the file's size divided by ScaleDenominator and
  // rounded up (libjpeg's promise for scaled decoding).
  int Width = 0;
  int Height = 0;
  // Size of the picture as stored in the file, in pixels.
  int FileWidth = 0;
  int FileHeight = 0;
  int ScaleDenominator = 1;   // 1, 2, 4 or 8
  TJPEGColorSpace ColorSpace = jcUnknown;   // as the file declares it
  bool Progressive = false;
  // The EXIF orientation (1 to 8, 1 = upright as stored; 1 when the file has none).  The
  // pixels are as stored: turning them is the caller's choice.
  int Orientation = 1;
  // Width × Height pixels, top-down, rows without padding.  Each pixel is 0xFFRRGGBB: in
  // memory blue, green, red, 255, the layout of a 32-bit Windows bitmap, whose fourth byte
  // the platform ignores.
  std::vector<uint32_t> Pixels;

  const uint32_t* Row(int y) const { return Pixels.data() + size_t(y) * size_t(Width); }
};

struct TJPEGReadOptions {
  // The size the picture will be shown at, in pixels; 0 × 0 = its own size.  A picture at
  // least twice as large in both directions is decoded smaller (JPEGScaleDenominator).
  int DisplayWidth = 0;
  int DisplayHeight = 0;
  // Pictures with more pixels in the file are refused before any pixel memory is taken
  // (the default admits 134 million pixels: 512 MB of decoded picture).
  int64_t MaxPixels = int64_t(1) << 27;
  // Progressive files with more scans are refused (see JPEGDecoder.c).
  int MaxScans = 1000;
  // Asked often while the pixels are decoded (every few milliseconds); true stops the
  // decoding with EJPEGError "JPEG decoding abandoned".  Lets a worker thread drop a picture
  // nobody waits for any more.  Must not throw.
  std::function<bool()> Cancelled;
};

// The largest of 1, 2, 4 and 8 that keeps a file of fileWidth × fileHeight pixels, decoded at
// 1/denominator of its size, at least as large as the display size in both directions, so
// that the picture shown is stretched down and never up.  A display size with a zero or
// negative side gives 1.
int JPEGScaleDenominator(int fileWidth, int fileHeight, int displayWidth, int displayHeight);

// Decodes a whole JPEG file held in memory (PictureReadFile reads one).  Throws EJPEGError,
// std::bad_alloc when the picture does not fit in memory; keeps nothing of `bytes`.
TJPEGPicture JPEGRead(std::span<const uint8_t> bytes, const TJPEGReadOptions& options = {});
