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
  // The seeds have at most 3,600 pixels.  At 4 Mi pixels a mutated size field made 1 KB files
  // that decode (as grey beyond their data) for seconds under the sanitizers, and the target
  // ran 43 inputs a second; 64 Ki pixels (256 × 256) still hold several blocks of every
  // sampling in each direction.
  options.MaxPixels = 1 << 16;
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
