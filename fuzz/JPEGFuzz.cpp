// libFuzzer target: any bytes go through the JPEG reader as the picture control uses it, at
// full size and, when that succeeds, again scaled for the image picker's box and stretched
// into it.
#include <cstddef>
#include <cstdint>

#include "JPEGReader.h"
#include "PictureStretch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TJPEGReadOptions options;
  // Smaller bounds than the control's keep each run fast; the bounds' checks are the same code.
  options.MaxPixels = 4 << 20;
  options.MaxScans = 100;
  try {
    const TJPEGPicture full = JPEGRead({data, size}, options);
    options.DisplayWidth = 176;
    options.DisplayHeight = 150;
    const TJPEGPicture scaled = JPEGRead({data, size}, options);
    PictureStretch(scaled.Pixels.data(), scaled.Width, scaled.Height, 176, 150);
    (void)full;
  } catch (const EJPEGError&) {
  }
  return 0;
}
